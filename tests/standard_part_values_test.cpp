// The standard part values beside Form4's computed resistors and capacitors, as a user meets them.
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window/standard_part_values.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

#include <string>

namespace {

std::unique_ptr<QWidget> FullRunOfForm4()
{
    std::unique_ptr<QWidget> form = Form4Cases().create();
    form->show();
    for (const auto &[edit, text] : Form4Cases().fullRunInputs)
        Type(Find<QLineEdit>(form.get(), edit), QString::fromUtf8(text));
    for (int step = 1; step <= Form4Cases().steps; ++step)
        EXPECT_TRUE(ClickAndCollect(Find<QPushButton>(form.get(), ("Button" + std::to_string(step)).c_str())).empty());
    return form;
}

// The box's context menu as the right mouse button opens it, and its standard value item if any.
QAction *StandardValueItem(QLineEdit *box, QMenu **menu)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &event);
    *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!*menu)
        return nullptr;
    EXPECT_TRUE((*menu)->actions().size() > 2) << "the box's own items stay";
    QAction *last = (*menu)->actions().last();
    return last->text().startsWith(QStringLiteral("Подставить")) ? last : nullptr;
}

QMap<QString, QString> TextsOf(const QWidget *form)
{
    QMap<QString, QString> texts;
    for (const QLabel *label : form->findChildren<QLabel *>())
        texts[label->objectName()] = label->text();
    for (const QLineEdit *edit : form->findChildren<QLineEdit *>())
        texts[edit->objectName()] = edit->text();
    return texts;
}

TEST(StandardPartValues, ResultsTellTheirE24Neighbours)
{
    const std::unique_ptr<QWidget> form = FullRunOfForm4();
    const char *const kTips[][2] = {
        {"Label26", "E24: 390 Ом (−1,3 %) · 430 Ом (+8,8 %) — принять 430 Ом"},
        {"Label29", "E24: 820 Ом (−4,7 %) · 910 Ом (+5,8 %) ... 1600 Ом (−7,0 %) · 1800 Ом (+4,7 %)"},
        {"Label32", "E24: 150 Ом (−5,1 %) · 160 Ом (+1,2 %)"},
        {"Label50", "E24: 1200 пФ (−2,1 %) · 1300 пФ (+6,1 %) — принять 1200 пФ"},
        {"Label24", ""},
        {"Label12", ""},
    };
    for (const auto &[name, tip] : kTips) {
        const QLabel *label = Find<QLabel>(form.get(), name);
        EXPECT_EQ(label->toolTip(), QString::fromUtf8(tip)) << name;
        EXPECT_EQ(label->accessibleDescription(), label->toolTip()) << name;
    }
}

TEST(StandardPartValues, AcceptBoxesTypeTheStandardValueAndNothingElse)
{
    const std::unique_ptr<QWidget> form = FullRunOfForm4();
    const char *const kItems[][2] = {
        {"Edit11", "Подставить E24: 430"},
        {"Edit12", "Подставить E24: 910"},
        {"Edit15", "Подставить E24: 13000"},
        {"Edit16", "Подставить E24: 13000"},
        {"Edit5", ""},
        {"Edit1", ""},
    };
    for (const auto &[name, item] : kItems) {
        QLineEdit *box = Find<QLineEdit>(form.get(), name);
        QMap<QString, QString> expected = TextsOf(form.get());
        QMenu *menu = nullptr;
        QAction *action = StandardValueItem(box, &menu);
        ASSERT_TRUE(menu) << name;
        EXPECT_EQ(action ? action->text() : QString(), QString::fromUtf8(item)) << name;
        if (action) {
            QSignalSpy edited(box, &QLineEdit::textEdited);
            action->trigger();
            expected[box->objectName()] = action->text().section(QStringLiteral(": "), 1);
            EXPECT_EQ(TextsOf(form.get()), expected) << name << ": only the box changes, no step runs";
            EXPECT_EQ(edited.count(), 1) << name;
            EXPECT_TRUE(box->isUndoAvailable()) << name;
        }
        menu->close();
    }
}

TEST(StandardPartValues, AResultRestoredBeforeTheFirstShowIsMarkedByItsCaption)
{
    const std::unique_ptr<QWidget> form = Form4Cases().create();
    QLabel *result = Find<QLabel>(form.get(), "Label37");
    KeepResult(result, {23529.4117647059}, QStringLiteral(" Ом"));
    form->show();
    EXPECT_EQ(result->toolTip(), QStringLiteral("E24: 22000 Ом (−6,5 %) · 24000 Ом (+2,0 %) — принять 22000 Ом"));
    EXPECT_EQ(MarkedStandardValue(result), QStringLiteral("E24: 22000 Ом"));
}

} // namespace
