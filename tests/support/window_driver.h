#pragma once

#include "tests/support/calculator_cases.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;

// What a user saw in a message box.
struct MessageBoxSeen
{
    QString title;
    QString text;           // as the box's label shows it
    bool plainText = false; // the label shows the text as typed, never as markup
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
    bool selectable = false;   // the text can be selected and copied
    bool insideScreen = false; // the whole box lies on its screen
};

// Runs the action, answering every message box it opens with the button of the answer's text, else OK, else
// by closing it; returns the boxes in order.
std::vector<MessageBoxSeen> CollectMessageBoxes(const std::function<void()> &action, const QString &answer = {});

// Replaces the edit box's text as a user does: select all, then type.
void Type(QLineEdit *edit, const QString &text);

// Types each text into the window's box of that name.
void TypeInto(QWidget *window, const Texts &texts);

// Types the texts, then presses every step in order, «Шаг 1» (Button1) on, as a user working down the
// window does; no step may open a message box.
void WorkThrough(QWidget *window, const Texts &texts);

// Presses and releases the left mouse button over the button.
void Click(QAbstractButton *button);

// The names of the controls that Tab visits, in order, starting at the first one.
QStringList TabOrder(QWidget *first, qsizetype count);

// Clicks the button and returns the message boxes the click opened.
std::vector<MessageBoxSeen> ClickAndCollect(QAbstractButton *button);

// A named control of a window; the test fails when there is none.
template <class Control>
Control *Find(const QWidget *window, const char *name)
{
    Control *control = window->findChild<Control *>(QString::fromLatin1(name));
    if (!control)
        ADD_FAILURE() << window->objectName().toStdString() << " has no " << name;
    return control;
}

// The letters of the text that the control's own face lacks; drawn, they would show as empty boxes.
QString LettersMissingFromFace(const QWidget *control, const QString &text);

// How many visible top-level windows have this name.
int VisibleWindowsNamed(const QString &name);

// The command of the window's menus with this text ("&Сохранить"); a failure when it has none.
QAction *MenuAction(const QWidget *window, const QString &text);

// The file's bytes; none when it cannot be read.
QByteArray FileBytes(const QString &path);

// Lets gtest print Qt strings.
void PrintTo(const QString &text, std::ostream *out);
