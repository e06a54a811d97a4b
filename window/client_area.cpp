#include "window/client_area.h"

#include "window/control_kinds.h"

TClientArea::TClientArea(QWidget *parent) : QWidget(parent)
{
    setFont(ControlFont());
}
