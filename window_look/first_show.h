#pragma once

#include <functional>

class QWidget;

// Runs the action once, when the widget is first shown: after it is polished, before it is painted.
// What only a shown widget needs is done there rather than at start-up.
void AtFirstShow(QWidget *widget, std::function<void()> action);
