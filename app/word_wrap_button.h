#pragma once

#include <QPushButton>

// A push button whose caption wraps onto several lines, centred, keeping text() whole.
class WordWrapButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
