#pragma once

#include <QWidget>

#include "window_structure/window_structure.h"

#include "ui_form1.h"

// The main menu: one button for each trigger calculator, and the support link.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

    void Label9Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Ui::TForm1 ui;
};

extern TForm1 *Form1;

// What its controls mean: form1_structure.cpp.
extern const WindowStructure kForm1Structure;

// Where the support link leads.
inline constexpr char kSupportAddress[] = "https://t.me/ortix_t";
