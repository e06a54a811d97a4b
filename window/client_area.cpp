#include "window/client_area.h"

#include "window_look/control_kinds.h"

TClientArea::TClientArea(QWidget *parent) : QWidget(parent)
{
    setFont(ControlFont());
}
