// Run by ctest once for each regional setting, with the separator it must give as the argument.
#include "number_text/decimal_mark.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

namespace {

char gExpectedMark = '.';

TEST(DecimalMark, ComesFromTheRegionalSettings)
{
    FollowDecimalMark(QCoreApplication::instance());
    EXPECT_EQ(DecimalMark, gExpectedMark);
}

TEST(DecimalMark, IsReadAgainWhenTheSettingsChange)
{
    FollowDecimalMark(QCoreApplication::instance());
    DecimalMark = '#';
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
    EXPECT_EQ(DecimalMark, gExpectedMark);
}

} // namespace

int main(int argc, char *argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    if (argc != 2 || std::strlen(argv[1]) != 1) {
        std::fprintf(stderr, "usage: decimal_mark_test <expected separator>\n");
        return 2;
    }
    gExpectedMark = argv[1][0];
    return RUN_ALL_TESTS();
}
