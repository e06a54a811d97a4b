#include "tests/support/window_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>

std::vector<MessageBoxSeen> CollectMessageBoxes(const std::function<void()> &action, const QString &answer)
{
    std::vector<MessageBoxSeen> seen;
    QTimer answerer;
    answerer.setInterval(1);
    QObject::connect(&answerer, &QTimer::timeout, [&seen, &answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        MessageBoxSeen report;
        report.title = box->windowTitle();
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        report.text = label ? label->text() : box->text();
        report.plainText = label && label->textFormat() == Qt::PlainText;
        report.icon = box->icon();
        report.buttons = box->standardButtons();
        report.modality = box->windowModality();
        // A message wider than the screen shows in a scrolled view in the label's place.
        const auto *view = box->findChild<QPlainTextEdit *>();
        report.selectable =
            (label && label->isVisible() && label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse))
            || (view && view->isVisible() && view->toPlainText() == report.text
                && view->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        report.insideScreen = box->screen()->availableGeometry().contains(box->frameGeometry());
        seen.push_back(report);
        const QList<QAbstractButton *> buttons = box->buttons();
        const auto named = std::find_if(buttons.begin(), buttons.end(),
                                        [&](const QAbstractButton *button) { return button->text() == answer; });
        if (QAbstractButton *chosen = named != buttons.end() ? *named : box->button(QMessageBox::Ok))
            QTest::mouseClick(chosen, Qt::LeftButton);
        else
            box->reject();
    });
    answerer.start();
    action();
    answerer.stop();
    return seen;
}

void Type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else // a key of a Russian keyboard, or any character an input method gives
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void TypeInto(QWidget *window, const Texts &texts)
{
    for (const auto &[edit, text] : texts)
        Type(Find<QLineEdit>(window, edit), QString::fromUtf8(text));
}

void WorkThrough(QWidget *window, const Texts &texts)
{
    TypeInto(window, texts);
    for (int step = 1; auto *button = window->findChild<QPushButton *>(QStringLiteral("Button%1").arg(step)); ++step)
        EXPECT_TRUE(ClickAndCollect(button).empty()) << "step " << step;
}

void Click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList TabOrder(QWidget *first, qsizetype count)
{
    QStringList order;
    QWidget *focus = first;
    while (focus && order.size() < count) {
        order << focus->objectName();
        do
            focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus));
    }
    return order;
}

std::vector<MessageBoxSeen> ClickAndCollect(QAbstractButton *button)
{
    return CollectMessageBoxes([button] { Click(button); });
}

QString LettersMissingFromFace(const QWidget *control, const QString &text)
{
    const QFontMetrics metrics(control->font());
    QString missing;
    for (const char32_t letter : text.toUcs4()) {
        if (!metrics.inFontUcs4(letter))
            missing += QString::fromUcs4(&letter, 1);
    }
    return missing;
}

int VisibleWindowsNamed(const QString &name)
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += window->isVisible() && window->objectName() == name;
    return count;
}

QAction *MenuAction(const QWidget *window, const QString &text)
{
    for (QAction *action : window->findChild<QMenuBar *>()->findChildren<QAction *>()) {
        if (action->text() == text)
            return action;
    }
    ADD_FAILURE() << "no command " << text.toStdString();
    return nullptr;
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
