// What desktop users expect of every window beyond its designed look: names for screen readers,
// readable colours under a light and a dark palette, Qt's own texts in the user's language.
#include "app/form1.h"
#include "app/menu_bar_style.h"
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form6.h"
#include "calculators/complementary/form7.h"
#include "calculators/same_type/form2.h"
#include "calculators/same_type/form3.h"
#include "calculators/same_type/form4.h"
#include "tests/support/window_driver.h"
#include "window/designed_window.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

QList<QWidget *> AllWindows()
{
    return {Form1, Form2, Form3, Form4, Form5, Form6, Form7};
}

TEST(ScreenReader, NamesControlsAsTheyRead)
{
    const struct
    {
        QWidget *window;
        const char *control;
        const char *name;
    } kNames[] = {
        {Form2, "Edit1", "Амплитуда положительных импульсов Uки, В"},
        {Form2, "Edit3", "Максимальная температура окружающей среды tокр, С"},
        {Form2, "Edit6", "статический коэффициент передачи тока (минимальное значение)"},
        {Form2, "Edit13", "Коэффициент насыщения (для триггера - 1,5...2,0)"},
        {Form2, "Label14", "Требуемое напряжение источника питания Ек"},
        {Form2, "Label29", "Сопротивление резисторов Rк, не менее"},
        {Form2, "Image1", "Обложка источника"},
        {Form2, "Image2", "Схема триггера"},
        {Form3, "Edit8", "обратный ток коллектора, мкА"},
        {Form3, "Edit9", "максимальный ток коллектора, мА"},
        {Form7, "Edit22", "Rб2, Ом"},
    };
    for (const auto &n : kNames) {
        BringToFront(n.window); // a screen reader reads the windows on screen
        QWidget *control = Find<QWidget>(n.window, n.control);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), QString::fromUtf8(n.name))
            << n.window->objectName().toStdString() << " " << n.control;
    }
}

// WCAG's contrast ratio of two colours.
double Contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    return dark;
}

// Every text of every window stands out from what it is drawn on, under the desktop's own palette
// and under a dark one, switched while the windows are open.
TEST(Colours, EveryTextIsReadableUnderALightAndADarkPalette)
{
    const QPalette desktop = QApplication::palette();
    for (const auto &[theme, palette] : {std::pair{"light", desktop}, std::pair{"dark", DarkPalette()}}) {
        QApplication::setPalette(palette);
        for (QWidget *window : AllWindows()) {
            const QColor background = window->palette().color(QPalette::Window);
            for (const QLabel *label : window->findChildren<QLabel *>()) {
                const QColor text = label->palette().color(label->foregroundRole());
                EXPECT_GE(Contrast(text, background), 4.5)
                    << theme << " " << window->objectName().toStdString() << " " << label->objectName().toStdString();
            }
            for (const QLineEdit *edit : window->findChildren<QLineEdit *>())
                EXPECT_GE(Contrast(edit->palette().color(QPalette::Text), edit->palette().color(QPalette::Base)), 4.5);
            for (const QPushButton *button : window->findChildren<QPushButton *>()) {
                EXPECT_GE(
                    Contrast(button->palette().color(QPalette::ButtonText), button->palette().color(QPalette::Button)),
                    4.5);
            }
        }
    }
    QApplication::setPalette(desktop);
    EXPECT_EQ(Form1->palette().color(QPalette::Window), QColor(192, 220, 192)) << "the main menu keeps its green";
    EXPECT_EQ(Form2->palette().color(QPalette::Window), desktop.color(QPalette::Button));
}

// Runs under a Russian locale only (see tests/CMakeLists.txt).
TEST(RussianDesktop, QtsOwnTextsAreRussian)
{
    if (!QLocale::system().name().startsWith(QLatin1String("ru")))
        GTEST_SKIP() << "runs under a Russian locale";
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    EXPECT_TRUE(texts.contains(QStringLiteral("Копировать"))) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Find<QPushButton>(Form2, "Button1")->text(), QStringLiteral("Шаг 1")) << "the program's own texts stay";
}

} // namespace

namespace {

// A box narrower than its text shows the text's beginning once left, never a digit cut at its left edge,
// and the whole text in its tooltip.
TEST(EditBox, ShowsTheBeginningOfATextTooLongForIt)
{
    Form4->show();
    Form4->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form4));
    auto *narrow = Find<QLineEdit>(Form4, "Edit1");
    ASSERT_LT(narrow->width(), 50);
    Type(narrow, QStringLiteral("120000"));
    EXPECT_EQ(narrow->cursorPosition(), 6); // typing goes on at the end
    Find<QLineEdit>(Form4, "Edit4")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(narrow->cursorPosition(), 0);
    EXPECT_EQ(narrow->toolTip(), QStringLiteral("120000"));
    Type(narrow, QStringLiteral("5"));
    EXPECT_EQ(narrow->toolTip(), QString());
    Form4->hide();
    // A text set while the window is hidden is measured as the window shows.
    narrow->setText(QStringLiteral("120000"));
    Form4->show();
    EXPECT_EQ(narrow->toolTip(), QStringLiteral("120000"));
    Form4->hide();
    narrow->setText(QStringLiteral("5"));
}

// A menu bar too narrow for its menus shows its overflow button with the style's own icon, read only then; an
// icon kept past a change of the application's style draws nothing rather than the style that is gone.
TEST(MenuBar, AnOverflowingBarShowsTheStylesOwnIcon)
{
    QWidget window;
    auto *bar = new QMenuBar(&window);
    for (const char *title : {"&Файл", "&Правка", "&Расчёт", "&Справка"})
        bar->addMenu(QString::fromUtf8(title));
    bar->setFixedWidth(60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
    ASSERT_TRUE(overflow && overflow->isVisible());
    const std::unique_ptr<QStyle> own(QStyleFactory::create(QStringLiteral("Fusion")));
    const QSize size = overflow->iconSize();
    EXPECT_EQ(overflow->icon().pixmap(size).toImage(),
              own->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(size).toImage());

    const QIcon kept = QApplication::style()->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    EXPECT_TRUE(kept.pixmap(size).isNull());
    UseStyleWithOverflowIconsAtFirstUse();
}

} // namespace
