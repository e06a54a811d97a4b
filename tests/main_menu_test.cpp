#include "app/form1.h"
#include "app/forms.h"
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form6.h"
#include "calculators/complementary/form7.h"
#include "calculators/same_type/form2.h"
#include "calculators/same_type/form3.h"
#include "calculators/same_type/form4.h"
#include "documents/calculation_document.h"
#include "tests/support/window_driver.h"
#include "window/designed_window.h"
#include "window_look/fonts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

class MainMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    }

    void TearDown() override
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != Form1)
                window->close();
        }
    }
};

TEST_F(MainMenu, LooksAsDesigned)
{
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Ortix-T"));
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("Ортикс-Т"));
    // The designed client area shows whole below the menu bar.
    const int menuBarHeight = Form1->findChild<QMenuBar *>()->height();
    EXPECT_GT(menuBarHeight, 0);
    EXPECT_EQ(Find<QWidget>(Form1, "ClientArea")->size() + kDesignedFrame, QSize(717, 429));
    EXPECT_EQ(Form1->size() + kDesignedFrame, QSize(717, 429 + menuBarHeight));
    EXPECT_EQ(Form1->palette().color(QPalette::Window), QColor(192, 220, 192));
    EXPECT_FALSE(Form1->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(Form1->windowFlags() & Qt::WindowMinimizeButtonHint);

    const struct
    {
        const char *name;
        QPoint position;
        const char *text;
        const char *family;
        bool bold;
    } kControls[] = {
        {"Label1",
         {70, 24},
         "\"Ортикс-Т\" - программа инженерного расчёта схем триггеров",
         "MS Reference Sans Serif",
         true},
        {"Label2", {80, 62}, "Триггеры на транзисторах ", "Tahoma", true},
        {"Label4", {408, 62}, "Триггеры на транзисторах", "Tahoma", true},
        {"Label3", {74, 80}, "разного типа проводимости", "Tahoma", true},
        {"Label5", {408, 80}, "одного типа проводимости", "Tahoma", true},
        {"Label6", {204, 348}, "Поддержать проект: ", "MS Reference Sans Serif", false},
        {"Button1", {30, 112}, "Триггер с эмиттерной связью", "Tahoma", false},
        {"Button3", {368, 112}, "Симметричный триггер с внешним источником смещения", "Tahoma", false},
        {"Button4", {368, 176}, "Симметричный триггер с автоматическим смещением", "Tahoma", false},
        {"Button2", {30, 208}, "Триггер с коллекторно-базовыми связями", "Tahoma", false},
        {"Button5", {368, 240}, "Несимметричный триггер", "Tahoma", false},
    };
    for (const auto &c : kControls) {
        const QWidget *control = Find<QWidget>(Form1, c.name);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->pos(), c.position) << c.name;
        EXPECT_EQ(control->property("text").toString(), QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(control->font().family(), QString::fromLatin1(c.family)) << c.name;
        EXPECT_EQ(control->font().pixelSize(), 15) << c.name;
        EXPECT_EQ(control->font().bold(), c.bold) << c.name;
        EXPECT_EQ(LettersMissingFromFace(control, QString::fromUtf8(c.text)), QString()) << c.name;
    }
    EXPECT_EQ(Find<QPushButton>(Form1, "Button3")->size(), QSize(297, 57));
    EXPECT_EQ(Find<QPushButton>(Form1, "Button1")->size(), QSize(297, 89));
    const QLabel *link = Find<QLabel>(Form1, "Label9");
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MainMenu, TabsThroughTheButtonsInOrder)
{
    EXPECT_EQ(TabOrder(Find<QWidget>(Form1, "Button1"), 5),
              QStringList({"Button1", "Button2", "Button3", "Button4", "Button5"}));
}

TEST_F(MainMenu, EachButtonShowsItsCalculator)
{
    const struct
    {
        const char *button;
        QWidget *window;
    } kButtons[] = {{"Button1", Form5}, {"Button2", Form7}, {"Button3", Form2}, {"Button4", Form3}, {"Button5", Form4}};
    for (const auto &b : kButtons) {
        Click(Find<QPushButton>(Form1, b.button));
        EXPECT_TRUE(b.window->isVisible()) << b.button;
        EXPECT_TRUE(QTest::qWaitForWindowActive(b.window)) << b.button << " leaves its window behind";
    }
    EXPECT_FALSE(Form6->isVisible()) << "the load connection window is not on the main menu";
}

TEST_F(MainMenu, PressingTwiceLeavesOneWindowInFront)
{
    QPushButton *button3 = Find<QPushButton>(Form1, "Button3");
    Click(button3);
    Click(Find<QPushButton>(Form1, "Button1"));
    Click(button3);
    EXPECT_EQ(VisibleWindowsNamed(QStringLiteral("Form2")), 1);
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form2));
    EXPECT_TRUE(Form5->isVisible()) << "any number of calculators may be open at once";
}

TEST_F(MainMenu, AClosedCalculatorComesBackAsItWasLeft)
{
    Click(Find<QPushButton>(Form1, "Button3"));
    Type(Find<QLineEdit>(Form2, "Edit1"), QStringLiteral("10"));
    EXPECT_TRUE(ClickAndCollect(Find<QPushButton>(Form2, "Button1")).empty());
    Form2->close();
    EXPECT_FALSE(Form2->isVisible());
    Click(Find<QPushButton>(Form1, "Button3"));
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(Find<QLineEdit>(Form2, "Edit1")->text(), QStringLiteral("10"));
    EXPECT_EQ(Find<QLabel>(Form2, "Label14")->text(), QStringLiteral("11...12 В"));
}

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

TEST_F(MainMenu, TheSupportLinkAsksTheDesktopToOpenTheAddress)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QTest::mouseClick(Find<QLabel>(Form1, "Label9"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.opened, QList<QUrl>({QUrl(QString::fromLatin1(kSupportAddress))}));
}

// The program starts with the main menu alone; whatever first needs a calculator builds them, and the
// calculator comes as it would have had it been there from the start.
TEST(StartUp, TheCalculatorsAreBuiltAtTheirFirstUse)
{
    QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("saved.ortix"));
    Type(Find<QLineEdit>(Form3, "Edit1"), QStringLiteral("7"));
    ASSERT_TRUE(TCalculationDocument::Of(Form3)->SaveTo(saved));
    const struct
    {
        const char *use;
        std::function<void()> act;
        const char *edit1; // Form3's first box afterwards
    } kFirstUses[] = {
        {"its main-menu button", [] { Click(Find<QPushButton>(Form1, "Button4")); }, ""},
        {"a file opened into it",
         [&] {
             const Outcome<> opened = OpenCalculation(saved);
             EXPECT_TRUE(opened) << opened.Message().toStdString();
         },
         "7"},
    };
    for (const auto &use : kFirstUses) {
        DestroyForms();
        CreateMainMenu();
        EXPECT_EQ(Form3, nullptr) << "the main menu is built alone";
        use.act();
        const bool built = Form3 != nullptr;
        CreateCalculators(); // for what follows, whatever happened
        ASSERT_TRUE(built) << use.use;
        EXPECT_TRUE(Form3->isVisible()) << use.use;
        EXPECT_EQ(Find<QLineEdit>(Form3, "Edit1")->text(), QString::fromUtf8(use.edit1)) << use.use;
        EXPECT_TRUE(TCalculationDocument::Of(Form3) && Form3->findChild<QMenuBar *>()) << use.use;
    }
    // What follows finds the windows as the program makes them.
    DestroyForms();
    CreateForms();
}

// A program that ends before its application object exists ends its font thread with it, rather than
// waiting at exit for an application that never comes.
TEST(StartUp, TheFontThreadEndsWithAProgramThatNeverMadeItsApplication)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StartLoadingFonts();
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}

TEST(Windows, EveryCalculatorHasItsCaptionAndOuterSize)
{
    const struct
    {
        QWidget *window;
        const char *caption;
        QSize outer;
    } kWindows[] = {
        {Form2, "Симметричный триггер с внешним источником смещения    ", {1113, 999}},
        {Form3, "Симметричный триггер с автоматическим смещением", {1118, 988}},
        {Form4, "Несимметричный триггер", {1178, 984}},
        {Form5, "Триггер с эмиттерной связью", {1026, 981}},
        {Form6, "Способы подключения нагрузки и её влияние", {833, 832}},
        {Form7, "Триггер с коллекторно-базовыми связями", {1123, 983}},
    };
    for (const auto &w : kWindows) {
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(w.caption));
        EXPECT_EQ(w.window->size() + kDesignedFrame, w.outer) << w.caption;
        EXPECT_FALSE(w.window->windowFlags() & Qt::WindowMaximizeButtonHint) << w.caption;
        EXPECT_FALSE(w.window->testAttribute(Qt::WA_DeleteOnClose)) << w.caption;
        EXPECT_FALSE(w.window->testAttribute(Qt::WA_QuitOnClose)) << w.caption << " closes without ending the program";
    }
    EXPECT_TRUE(Form1->testAttribute(Qt::WA_QuitOnClose)) << "closing the main menu ends the program";
    for (const QWidget *window :
         std::initializer_list<const QWidget *>{Form1, Form2, Form3, Form4, Form5, Form6, Form7}) {
        const QList<QSize> sizes = window->windowIcon().availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(64, 64)))
            << window->objectName().toStdString() << " carries the program's icon";
    }
}

} // namespace

#include "main_menu_test.moc"
