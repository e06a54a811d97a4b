// Each suite runs on the headless screen of its name (see tests/screens) and skips itself elsewhere.
#include "calc/designed_window.h"
#include "calculators/same_type/form2.h"
#include "tests/support/window_driver.h"

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

QRect OuterGeometry(const QWidget &window)
{
    return QRect(window.pos(), window.size() + kDesignedFrame);
}

TEST(Desktop, AWindowIsCentredWhenFirstShown)
{
    if (!RunningOn("Desktop"))
        GTEST_SKIP() << "runs on its own screen";
    TForm2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect desktop = form.screen()->availableGeometry();
    EXPECT_EQ(OuterGeometry(form).size(), QSize(1113, 999));
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
    for (const char *name : {"Image1", "Image2"}) {
        const QLabel *box = form.findChild<QLabel *>(QString::fromLatin1(name));
        const QPixmap picture = box->pixmap();
        EXPECT_EQ(picture.devicePixelRatio(), 2) << name;
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), box->size()) << name;
    }
}

} // namespace
