// Each suite runs on the headless screen of its name (see tests/screens) and skips itself elsewhere.
#include "calculators/same_type/form2.h"
#include "tests/support/window_driver.h"
#include "window/designed_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

bool RunningOn(const char *screen)
{
    return QGuiApplication::primaryScreen()->name() == QLatin1String(screen);
}

// The window with the frame the platform draws around it (the headless one draws a thin frame too).
QRect OuterGeometry(const QWidget &window)
{
    return window.frameGeometry();
}

// Whatever frame the window manager draws, the whole frame lies inside the desktop's available area.
TEST(Placement, TheWholeFrameLiesInsideTheDesktop)
{
    const struct
    {
        const char *setting;
        QRect desktop;
        QSize frame;
        bool sizeable;
        QRect expected;
    } kCases[] = {
        {"fits: centred", {0, 0, 1920, 1050}, {1113, 999}, true, {403, 25, 1113, 999}},
        {"panel on top", {0, 30, 1920, 1050}, {1113, 999}, true, {403, 55, 1113, 999}},
        {"taller than a laptop's desktop", {0, 0, 1366, 740}, {1099, 986}, true, {133, 0, 1099, 740}},
        {"a thicker frame than designed", {0, 0, 1366, 740}, {1105, 1010}, true, {130, 0, 1105, 740}},
        {"1.5 scale: 1280 x 720 logical", {0, 0, 1280, 696}, {1113, 999}, true, {83, 0, 1113, 696}},
        {"second screen to the right", {1920, 0, 1366, 768}, {1113, 999}, true, {2046, 0, 1113, 768}},
        {"a fixed window larger than the desktop", {0, 0, 640, 480}, {717, 429}, false, {0, 25, 717, 429}},
    };
    for (const auto &c : kCases)
        EXPECT_EQ(PlaceFrame(c.desktop, c.frame, c.sizeable), c.expected) << c.setting;
}

TEST(Desktop, AWindowIsCentredWhenFirstShown)
{
    if (!RunningOn("Desktop"))
        GTEST_SKIP() << "runs on its own screen";
    TForm2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect desktop = form.screen()->availableGeometry();
    EXPECT_EQ(form.size() + kDesignedFrame, QSize(1113, 999)) << "the client area as designed";
    EXPECT_LE((OuterGeometry(form).center() - desktop.center()).manhattanLength(), 2);

    form.move(10, 20);
    form.close();
    form.show();
    EXPECT_EQ(form.pos(), QPoint(10, 20)) << "shown again where the user left it";
}

TEST(Laptop, AWindowTallerThanTheDesktopFitsItAndScrolls)
{
    if (!RunningOn("Laptop"))
        GTEST_SKIP() << "runs on its own screen";
    TForm2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect desktop = form.screen()->availableGeometry();
    EXPECT_TRUE(desktop.contains(OuterGeometry(form))) << "the title bar stays in reach";
    auto *scrollBox = form.findChild<QScrollArea *>(QStringLiteral("ScrollBox"));
    scrollBox->verticalScrollBar()->setValue(scrollBox->verticalScrollBar()->maximum());
    const QLabel *lowest = form.findChild<QLabel *>(QStringLiteral("Label76"));
    const QRect inView(lowest->mapTo(scrollBox->viewport(), QPoint()), lowest->size());
    EXPECT_TRUE(scrollBox->viewport()->rect().contains(inView)) << "the lowest control can be scrolled into view";
}

TEST(HighDensity, PicturesUseTheirTwiceAsLargeRendering)
{
    if (!RunningOn("HighDensity"))
        GTEST_SKIP() << "runs on its own screen";
    TForm2 form;
    form.show();
    for (const char *name : {"Image1", "Image2"}) {
        const QLabel *box = form.findChild<QLabel *>(QString::fromLatin1(name));
        const QPixmap picture = box->pixmap();
        EXPECT_EQ(picture.devicePixelRatio(), 2) << name;
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), box->size()) << name;
    }
}

} // namespace
