// The standard part values beside Form4's computed resistors and capacitors, as a user meets them.
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window/calculator_window.h"
#include "window_structure/standard_part_values.h"

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

QMap<QString, QVariant> TextsOf(const QWidget *form)
{
    QMap<QString, QVariant> texts;
    for (const QWidget *control : form->findChildren<QWidget *>())
        texts[control->objectName()] = control->property("text");
    return texts;
}

TEST(StandardPartValues, ResultsTellTheirNeighboursAndAcceptBoxesTypeTheOneToAccept)
{
    const std::unique_ptr<QWidget> form = Form4Cases().create();
    form->show();
    for (const auto &[edit, text] : Form4Cases().fullRunInputs)
        Type(Find<QLineEdit>(form.get(), edit), QString::fromUtf8(text));
    for (int step = 1; step <= Form4Cases().steps; ++step)
        ClickAndCollect(Find<QPushButton>(form.get(), ("Button" + std::to_string(step)).c_str()));

    const char *const kTips[][2] = {
        {"Label26", "E24: 390 Ом (−1,3 %) · 430 Ом (+8,8 %) — принять 430 Ом"},
        {"Label29", "E24: 820 Ом (−4,7 %) · 910 Ом (+5,8 %) ... 1600 Ом (−7,0 %) · 1800 Ом (+4,7 %)"},
        {"Label50", "E24: 1200 пФ (−2,1 %) · 1300 пФ (+6,1 %) — принять 1200 пФ"},
        {"Label24", ""},
    };
    for (const auto &[name, tip] : kTips) {
        const QLabel *label = Find<QLabel>(form.get(), name);
        EXPECT_EQ(label->toolTip(), QString::fromUtf8(tip)) << name;
        EXPECT_EQ(label->accessibleDescription(), label->toolTip()) << name;
    }

    const char *const kTyped[][2] = {{"Edit11", "430"},   {"Edit12", "910"},  {"Edit15", "13000"},
                                     {"Edit16", "13000"}, {"Edit5", nullptr}, {"Edit1", nullptr}};
    for (const auto &[name, typed] : kTyped) {
        QLineEdit *box = Find<QLineEdit>(form.get(), name);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &rightClick);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu && menu->actions().size() > 2) << name << ": the box's own menu, its items kept";
        QAction *item = menu->actions().last();
        if (!typed) {
            EXPECT_FALSE(item->text().contains(QStringLiteral("E24"))) << name;
        } else {
            EXPECT_EQ(item->text(), QStringLiteral("Подставить E24: ") + QString::fromUtf8(typed)) << name;
            QMap<QString, QVariant> expected = TextsOf(form.get());
            expected[box->objectName()] = QString::fromUtf8(typed);
            QSignalSpy edited(box, &QLineEdit::textEdited);
            item->trigger();
            EXPECT_EQ(TextsOf(form.get()), expected) << name << ": only the box changes, no step runs";
            EXPECT_EQ(edited.count(), 1) << name;
            EXPECT_TRUE(box->isUndoAvailable()) << name;
        }
        menu->close();
    }
}

TEST(StandardPartValues, AResultRestoredInAWindowNeverShownIsMarkedByItsCaption)
{
    const std::unique_ptr<QWidget> form = Form4Cases().create();
    QLabel *result = Find<QLabel>(form.get(), "Label37");
    const ResultValue restored{QStringLiteral("23529,4117647059 Ом"), QStringLiteral(" Ом"), {23529.4117647059}};
    static_cast<TCalculatorWindow *>(form.get())->SetModel({{{QStringLiteral("Label37"), restored}}, {}});
    EXPECT_EQ(result->text(), restored.text);
    EXPECT_EQ(result->toolTip(), QStringLiteral("E24: 22000 Ом (−6,5 %) · 24000 Ом (+2,0 %) — принять 22000 Ом"));
    EXPECT_EQ(MarkedStandardValue(result, restored), QStringLiteral("E24: 22000 Ом"));
}

} // namespace
