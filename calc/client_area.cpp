#include "calc/client_area.h"

#include "calc/control_kinds.h"

TClientArea::TClientArea(QWidget *parent) : QWidget(parent)
{
    setFont(ControlFont());
}
