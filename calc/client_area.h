#pragma once

#include <QWidget>

// The scrolled area that holds a calculator's controls. The stored layout makes it apart from its
// window and hands it to the scroll box afterwards, so it takes the window's designed font itself:
// its edit boxes then lay their texts out in that font from the start, and the hand-over changes none.
class TClientArea : public QWidget
{
public:
    explicit TClientArea(QWidget *parent = nullptr);
};
