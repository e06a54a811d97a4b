// The report of each calculator window after its full run, in every format, read back as a reader
// would (pdftotext, unzip) against the expected text in tests/reports/.
#include "calculators/complementary/form6.h"
#include "report/report.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

using CasesOf = const CalculatorCases &(*)();

const ReportFooter kFooter{QStringLiteral("Ортикс-Т"), QStringLiteral("1.0.0"), QDate(2026, 12, 7),
                           QStringLiteral("/home/user/расчёт.json")};

// A window as its cases create it, run through, with the window it opens (Form6 for Form5) fresh and
// run through too while the report is read.
class Calculation
{
public:
    Calculation(CasesOf cases, bool run) : window_(cases().create()), form6_(Form6Cases().create())
    {
        saved_ = std::exchange(Form6, static_cast<TForm6 *>(form6_.get()));
        if (run) {
            RunThrough(window_.get(), cases());
            RunThrough(form6_.get(), Form6Cases());
        }
    }
    ~Calculation() { Form6 = saved_; }

    QWidget *window() const { return window_.get(); }

private:
    static void RunThrough(QWidget *window, const CalculatorCases &cases)
    {
        for (const auto &[name, text] : cases.fullRunInputs)
            Find<QLineEdit>(window, name)->setText(QString::fromUtf8(text));
        for (int step = 1; step <= cases.steps; ++step)
            Find<QPushButton>(window, ("Button" + std::to_string(step)).c_str())->click();
    }

    std::unique_ptr<QWidget> window_, form6_;
    TForm6 *saved_;
};

QString Expected(const CalculatorCases &cases)
{
    QFile file(QStringLiteral(ORTIX_TEST_REPORTS "/%1.txt").arg(QString::fromLatin1(cases.name).toLower()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return QString::fromUtf8(file.readAll());
}

QString Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished()) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The paragraphs of an ODT's content.xml, its blanks written out.
QString OdtText(const QString &path)
{
    QXmlStreamReader xml(Run(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("content.xml")}));
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters())
            text += xml.text();
        else if (xml.isStartElement() && xml.name() == QLatin1String("s"))
            text += QString(xml.attributes().value(QLatin1String("text:c")).toInt() + 1, QLatin1Char(' '));
        else if (xml.isEndElement() && (xml.name() == QLatin1String("p") || xml.name() == QLatin1String("h")))
            text += QLatin1Char('\n');
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return text;
}

// An HTML page's lines with its tags taken out, as a reader without a browser sees them.
QString HtmlText(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QString html = QString::fromUtf8(file.readAll());
    html.remove(QRegularExpression(QStringLiteral("<head>.*?</head>"), QRegularExpression::DotMatchesEverythingOption));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

struct FormatReader
{
    const char *suffix;
    QString (*read)(const QString &path);
};

const FormatReader kFormats[] = {
    {"txt",
     [](const QString &path) {
         QFile file(path);
         EXPECT_TRUE(file.open(QIODevice::ReadOnly));
         return QString::fromUtf8(file.readAll());
     }},
    {"pdf",
     [](const QString &path) {
         return Run(QStringLiteral("pdftotext"),
                    {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
     }},
    {"odt", OdtText},
    {"html", HtmlText},
};

// The text's non-empty lines, blanks closed up.
QStringList Lines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    }
    return lines;
}

class Report : public ::testing::TestWithParam<CasesOf>
{
};

TEST_P(Report, OfAFullRunReadsAsExpectedInEveryFormat)
{
    const CalculatorCases &cases = GetParam()();
    const Calculation calculation(GetParam(), true);
    const QString expected = Expected(cases);
    if (qEnvironmentVariableIsSet("ORTIX_WRITE_REPORTS")) {
        QFile file(QStringLiteral(ORTIX_TEST_REPORTS "/%1.txt").arg(QString::fromLatin1(cases.name).toLower()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ReportText(calculation.window(), kFooter).toUtf8());
    }
    EXPECT_EQ(ReportText(calculation.window(), kFooter), expected);

    const QTemporaryDir directory;
    for (const FormatReader &format : kFormats) {
        const QString path = directory.filePath(QStringLiteral("report.") + QString::fromLatin1(format.suffix));
        QString error;
        ASSERT_TRUE(WriteReport(calculation.window(), path, kFooter, &error)) << error.toStdString();
        // The lines of the text report, each whole: none cut by a page's end or drawn on two pages.
        EXPECT_EQ(Lines(format.read(path)), Lines(expected)) << format.suffix;
    }
}

TEST_P(Report, OfAWindowWhereNothingWasTypedHasEveryStepNotDone)
{
    const CalculatorCases &cases = GetParam()();
    const Calculation calculation(GetParam(), false);
    const QStringList lines = ReportText(calculation.window(), kFooter).split(QLatin1Char('\n'));
    int steps = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral("Шаг "))) {
            ++steps;
            EXPECT_EQ(lines[i + 1], QStringLiteral("не выполнен")) << cases.name << " " << lines[i].toStdString();
        }
    }
    EXPECT_EQ(steps, cases.steps + (cases.name == std::string("Form5") ? Form6Cases().steps : 0)) << cases.name;
}

INSTANTIATE_TEST_SUITE_P(Each, Report,
                         ::testing::Values(&Form2Cases, &Form3Cases, &Form4Cases, &Form5Cases, &Form6Cases,
                                           &Form7Cases),
                         [](const ::testing::TestParamInfo<CasesOf> &info) { return std::string(info.param().name); });

// A report that cannot be written leaves nothing behind and says why.
TEST(ReportFile, ThatCannotBeWrittenLeavesNothing)
{
    const Calculation calculation(Form2Cases, false);
    const QTemporaryDir directory;
    for (const QString &path :
         {directory.filePath(QStringLiteral("report.docx")), directory.filePath(QStringLiteral("missing/report.pdf")),
          directory.filePath(QStringLiteral("report"))}) {
        QString error;
        EXPECT_FALSE(WriteReport(calculation.window(), path, kFooter, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty() || error.contains(QLatin1Char('\n'))) << error.toStdString();
        EXPECT_TRUE(QDir(directory.path()).isEmpty()) << path.toStdString();
    }
}

// The clipboard holds the text report, and the HTML one beside it as a table with the schematic.
TEST(ReportClipboard, HoldsTheTextAndAFormattedTable)
{
    const Calculation calculation(Form2Cases, true);
    CopyReport(calculation.window(), kFooter);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), ReportText(calculation.window(), kFooter));
    EXPECT_TRUE(data->html().contains(
        QStringLiteral("<tr><td>Амплитуда положительных импульсов Uки =</td> <td>10 В</td></tr>")));
    EXPECT_TRUE(data->html().contains(QStringLiteral("src=\"data:image/png;base64,")));
}

} // namespace
