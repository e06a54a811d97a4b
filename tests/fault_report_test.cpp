#include "tests/support/window_driver.h"
#include "window/fault_report.h"

namespace {

TEST(FaultReport, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt)
{
    const struct
    {
        const char *message;
        const char *shown;
    } kCases[] = {
        {"Floating point overflow", "Floating point overflow."},
        {"'' is not a valid floating point value", "'' is not a valid floating point value."},
        {"Ends with a full stop.", "Ends with a full stop."},
        {"ends in a digit 7", "ends in a digit 7."},
        {"ends in a slash /", "ends in a slash /."},
        {"ends in a hyphen -", "ends in a hyphen -"},
        {"ends in a quote '", "ends in a quote '"},
        {"ends in a comma ,", "ends in a comma ,"},
        {"ends in a blank ", "ends in a blank "},
        {"", ""},
    };
    for (const auto &c : kCases)
        EXPECT_EQ(FaultReportText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
}

TEST(FaultReport, IsAModalStopBoxWithTheTextShownAsTyped)
{
    QWidget owner;
    const QString wide = QStringLiteral("1 000,5 ").repeated(60); // wider than the screen on one line
    const QString longest = QStringLiteral("1 000,5 ").repeated(4095);
    const QString unbroken(32767, QLatin1Char('7'));
    for (const QString &typed : {QStringLiteral("<b>1</b>"), QStringLiteral("<img src=x>"), QStringLiteral("&amp;"),
                                 QStringLiteral("a\nb"), wide, longest, unbroken}) {
        const QString message = QStringLiteral("'%1' is not a valid floating point value").arg(typed);
        const std::vector<MessageBoxSeen> seen = CollectMessageBoxes([&] { ShowFaultReport(&owner, message); });
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title, QStringLiteral("Ortix-T"));
        EXPECT_EQ(seen[0].text, message + QLatin1Char('.'));
        EXPECT_TRUE(seen[0].plainText) << typed.left(20).toStdString();
        EXPECT_TRUE(seen[0].selectable) << "the text can be copied";
        EXPECT_TRUE(seen[0].insideScreen) << "a long text wraps inside the screen";
        EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
        EXPECT_EQ(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(seen[0].modality, Qt::ApplicationModal);
    }
}

} // namespace
