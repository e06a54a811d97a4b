#include "calc/client_area.h"

#include "calc/designed_window.h"

TClientArea::TClientArea(QWidget *parent) : QWidget(parent)
{
    SetDesignedFont(this);
}
