#pragma once

#include <QWidget>

// The scrolled area that holds a calculator's controls. The stored layout makes it apart from its
// window, so it takes a font of its own at once: the controls' font, in which its edit boxes lay their
// empty texts out as they are made, from a face that start-up has loaded already.
class TClientArea : public QWidget
{
public:
    explicit TClientArea(QWidget *parent = nullptr);
};
