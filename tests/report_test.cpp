// The report of each calculator window after its full run, in every format, read back as a reader
// would (pdftotext, unzip) against the expected text in tests/reports/.
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form6.h"
#include "documents/calculation_document.h"
#include "program_libraries/program_library.h"
#include "report/print_library.h"
#include "report/report_model.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window_structure/window_reading.h"

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
    // The window's first steps pressed, after its given data is typed; the window it opens run through
    // when any step is.
    Calculation(CasesOf cases, int steps) : window_(cases().create()), form6_(Form6Cases().create())
    {
        saved_ = std::exchange(Form6, static_cast<TForm6 *>(form6_.get()));
        if (steps > 0) {
            RunThrough(window_.get(), cases(), steps);
            RunThrough(form6_.get(), Form6Cases(), Form6Cases().steps);
        }
    }
    ~Calculation() { Form6 = saved_; }

    QWidget *window() const { return window_.get(); }

private:
    static void RunThrough(QWidget *window, const CalculatorCases &cases, int steps)
    {
        for (const auto &[name, text] : cases.fullRunInputs)
            Find<QLineEdit>(window, name)->setText(QString::fromUtf8(text));
        for (int step = 1; step <= steps; ++step)
            Find<QPushButton>(window, ("Button" + std::to_string(step)).c_str())->click();
    }

    std::unique_ptr<QWidget> window_, form6_;
    TForm6 *saved_;
};

QString Expected(const CalculatorCases &cases)
{
    return QString::fromUtf8(
        FileBytes(QStringLiteral(ORTIX_TEST_REPORTS "/%1.txt").arg(QString::fromLatin1(cases.name).toLower())));
}

QString Output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished()) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Unzipped(const QString &path, const char *file)
{
    return Output(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QString::fromLatin1(file)});
}

// The paragraphs of an ODT's content.xml, its blanks written out; its pages are numbered.
QString OdtText(const QString &path)
{
    EXPECT_TRUE(Unzipped(path, "styles.xml")
                    .contains(QStringLiteral("стр. <text:page-number text:select-page=\"current\">1</text:page-number> "
                                             "из <text:page-count>")));
    QXmlStreamReader xml(Unzipped(path, "content.xml"));
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

// The texts an ODT's content.xml sets in bold, a span each.
QStringList OdtBold(const QString &path)
{
    QXmlStreamReader xml(Unzipped(path, "content.xml"));
    QStringList boldStyles, bold;
    QString style;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("style"))
            style = xml.attributes().value(QLatin1String("style:name")).toString();
        else if (xml.isStartElement()
                 && xml.attributes().value(QLatin1String("fo:font-weight")) == QLatin1String("bold"))
            boldStyles << style;
        else if (xml.isStartElement() && xml.name() == QLatin1String("span")
                 && boldStyles.contains(xml.attributes().value(QLatin1String("text:style-name"))))
            bold << xml.readElementText();
    }
    return bold;
}

// The PDF's text, each page's number «стр. N из M» at its foot taken out.
QString PdfText(const QString &path)
{
    QStringList pages = Output(QStringLiteral("pdftotext"),
                               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    pages.removeLast(); // after the last page's end
    // Every font is embedded: the text reads the same on any machine.
    const QStringList fonts = Output(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &font : fonts.mid(2)) {
        const QStringList cells = font.split(QLatin1Char(' '), Qt::SkipEmptyParts); // … emb sub uni object ID
        EXPECT_EQ(cells.value(cells.size() - 5), QStringLiteral("yes")) << font.toStdString();
    }
    for (qsizetype page = 0; page < pages.size(); ++page) {
        const QString number = QStringLiteral("стр. %1 из %2").arg(page + 1).arg(pages.size());
        pages[page] = pages[page].trimmed();
        EXPECT_TRUE(pages[page].endsWith(number)) << pages[page].right(40).toStdString();
        pages[page].chop(number.size());
    }
    return pages.join(QLatin1Char('\n'));
}

// An HTML page's lines with its tags taken out, as a reader without a browser sees them.
QString HtmlText(const QString &path)
{
    QString html = QString::fromUtf8(FileBytes(path));
    html.remove(QRegularExpression(QStringLiteral("<head>.*?</head>"), QRegularExpression::DotMatchesEverythingOption));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// The texts an HTML page sets in bold.
QStringList HtmlBold(const QString &path)
{
    QStringList bold;
    static const QRegularExpression kBold(QStringLiteral("<b>([^<]*)</b>"));
    for (const QRegularExpressionMatch &match : kBold.globalMatch(QString::fromUtf8(FileBytes(path))))
        bold << match.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return bold;
}

struct FormatReader
{
    const char *suffix;
    QString (*read)(const QString &path);
    QStringList (*bold)(const QString &path); // what it sets in bold, where a reader can tell
};

const FormatReader kFormats[] = {
    {"txt", [](const QString &path) { return QString::fromUtf8(FileBytes(path)); }, nullptr},
    {"pdf", PdfText, nullptr},
    {"odt", OdtText, OdtBold},
    {"html", HtmlText, HtmlBold},
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
    const Calculation calculation(GetParam(), cases.steps);
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
        const Outcome<> written = WriteReport(calculation.window(), path, kFooter);
        ASSERT_TRUE(written) << written.Message().toStdString();
        // The lines of the text report, each whole: none cut by a page's end or drawn on two pages.
        EXPECT_EQ(Lines(format.read(path)), Lines(expected)) << format.suffix;
        if (!format.bold)
            continue;
        // Results in bold as on screen; given data and accepted values plain.
        const QStringList bold = format.bold(path);
        const WindowReading reading = ReadWindow(calculation.window());
        QStringList results;
        for (const ResultReading &result : reading.results)
            results << result.label->text().simplified();
        for (const QString &result : results)
            EXPECT_TRUE(result.isEmpty() || bold.contains(result)) << format.suffix << " " << result.toStdString();
        for (const BoxReading &box : reading.boxes)
            EXPECT_EQ(bold.count(box.box->text()), results.count(box.box->text()))
                << format.suffix << " " << box.box->text().toStdString();
    }
}

// A step not pressed, having written nothing, is «не выполнен»; a step pressed is not.
TEST_P(Report, TellsTheStepsNotPressed)
{
    const CalculatorCases &cases = GetParam()();
    for (const int pressed : {0, cases.steps / 2}) {
        const Calculation calculation(GetParam(), pressed);
        const QStringList lines = ReportText(calculation.window(), kFooter).split(QLatin1Char('\n'));
        int step = 0;
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            if (!lines[i].startsWith(QStringLiteral("Шаг ")))
                continue;
            // The window's steps, then those of the window it opens, run through when any step is.
            const bool notDone = ++step <= cases.steps ? step > pressed : pressed == 0;
            EXPECT_EQ(lines[i + 1] == QStringLiteral("не выполнен"), notDone)
                << cases.name << " " << pressed << " pressed, " << lines[i].toStdString();
        }
        EXPECT_EQ(step, cases.steps + (cases.name == std::string("Form5") ? Form6Cases().steps : 0)) << cases.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Each, Report, ::testing::ValuesIn(EveryWindowsCases()),
                         [](const ::testing::TestParamInfo<CasesOf> &info) { return std::string(info.param().name); });

// The calculation is named by its window's designed heading, never by the title bar, which names the file
// and marks unsaved changes: not in the PDF's and the page's titles, nor as the heading of the window it opens.
TEST(ReportHeading, IsNeverTheTitleBar)
{
    TCalculationDocument *document = TCalculationDocument::Of(Form5);
    const QTemporaryDir directory;
    ASSERT_TRUE(document->SaveTo(directory.filePath(QStringLiteral("титул.ortix"))));
    ASSERT_TRUE(Form6->windowTitle().startsWith(QStringLiteral("титул.ortix[*] — ")));
    const QString text = ReportText(Form5, kFooter);
    EXPECT_FALSE(text.contains(QStringLiteral("титул"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n\nСпособы подключения нагрузки и её влияние\n\nРис. 2.")));
    const QString pdf = directory.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(WriteReport(Form5, pdf, kFooter));
    EXPECT_TRUE(Output(QStringLiteral("pdfinfo"), {pdf})
                    .simplified()
                    .startsWith(QStringLiteral("Title: Триггер с эмиттерной связью Creator:")));
    EXPECT_TRUE(ReportHtml(Form5, kFooter).contains(QStringLiteral("<title>Триггер с эмиттерной связью</title>")));
    EXPECT_TRUE(document->NewCalculation());
}

// However much stands before it, a picture with its caption is printed on one page.
TEST(ReportPicture, IsNeverSplitByAPageBreak)
{
    const Calculation calculation(Form2Cases, 0);
    ::Report report = BuildReport(calculation.window(), kFooter);
    ASSERT_EQ(report.parts.front().pictures.size(), 1);
    for (int lines = 0; lines < 80; ++lines) {
        report.parts.front().notes << QStringLiteral("строка %1").arg(lines);
        for (const auto &[top, bottom] : PicturePages(report))
            EXPECT_EQ(top, bottom) << lines << " lines before";
    }
}

// A report that cannot be written leaves nothing behind and says why.
TEST(ReportFile, ThatCannotBeWrittenLeavesNothing)
{
    const Calculation calculation(Form2Cases, 0);
    const QTemporaryDir directory;
    for (const QString &path :
         {directory.filePath(QStringLiteral("report.docx")), directory.filePath(QStringLiteral("missing/report.pdf")),
          directory.filePath(QStringLiteral("report"))}) {
        const Outcome<> written = WriteReport(calculation.window(), path, kFooter);
        EXPECT_TRUE(written.Failed()) << path.toStdString();
        const QString error = written.Message();
        EXPECT_FALSE(error.isEmpty() || error.contains(QLatin1Char('\n'))) << error.toStdString();
        EXPECT_TRUE(QDir(directory.path()).isEmpty()) << path.toStdString();
    }
}

// The clipboard holds the text report, and the HTML one beside it as a table with the schematic.
TEST(ReportClipboard, HoldsTheTextAndAFormattedTable)
{
    const Calculation calculation(Form2Cases, Form2Cases().steps);
    CopyReport(calculation.window(), kFooter);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), ReportText(calculation.window(), kFooter));
    EXPECT_TRUE(data->html().contains(
        QStringLiteral("<tr><td>Амплитуда положительных импульсов Uки =</td> <td>10 В</td></tr>")));
    EXPECT_TRUE(data->html().contains(QStringLiteral("src=\"data:image/png;base64,")));
}

// A library of the program's own is taken whole or not at all; the report's is found in the build tree.
TEST(ProgramLibrary, IsTakenWholeOrNotAtAll)
{
    const char *const kMath = "/lib/x86_64-linux-gnu/libm.so.6";
    const struct
    {
        const char *fromProgram, *built, *second;
        bool taken;
    } kLibraries[] = {
        {"no-such-library.so", kMath, "sin", true},
        {"no-such-library.so", kMath, "no_such_function", false},
        {"no-such-library.so", "/no/such/library.so", "sin", false},
    };
    for (const auto &library : kLibraries) {
        double (*cosine)(double) = nullptr;
        double (*second)(double) = nullptr;
        EXPECT_EQ(LoadProgramLibrary(library.fromProgram, library.built, std::pair{"cos", &cosine},
                                     std::pair{library.second, &second}),
                  library.taken)
            << library.built << " " << library.second;
        EXPECT_EQ(cosine != nullptr, library.taken) << library.second;
        EXPECT_EQ(second != nullptr, library.taken) << library.second;
    }
    EXPECT_TRUE(Printing().printPages && Printing().svgSize && Printing().renderSvg);
}

} // namespace
