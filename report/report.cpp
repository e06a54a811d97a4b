#include "report/report.h"

#include "report/report_model.h"
#include "report/schematic.h"
#include "simulation/simulation.h"
#include "tolerance/tolerance_window.h"
#include "window/calculator_window.h"
#include "window_structure/standard_part_values.h"
#include "window_structure/window_reading.h"

#include <QBuffer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {

const QString kEmptyBox = QStringLiteral("—");

QString ValueOf(const QLineEdit *box)
{
    const QString text = box->text().simplified();
    return text.isEmpty() ? kEmptyBox : text;
}

ReportLine LineOf(const ReadLine &line, const CalculationModel &model)
{
    ReportLine reportLine{line.pieces.front().simplified(), {}};
    const auto add = [&](const QString &text, bool result) {
        if (const QString simplified = text.simplified(); !simplified.isEmpty())
            reportLine.runs << ReportRun{simplified, result};
    };
    for (qsizetype i = 0; i < line.boxes.size(); ++i) {
        add(ValueOf(line.boxes[i]), false);
        add(line.pieces[i + 1], false);
    }
    for (const QLabel *label : line.results) {
        const ResultValue result = model.Result(label->objectName());
        add(result.text, true);
        // The standard part value the caption marks to accept, beside the computed one.
        if (const QString standard = MarkedStandardValue(label, result); !standard.isEmpty())
            add(QLatin1Char('(') + standard + QLatin1Char(')'), false);
    }
    return reportLine;
}

// A line of nothing but one character repeated, "=====...", that draws a rule across the window.
bool IsRule(const ReadLine &line)
{
    static const QRegularExpression kRule(QStringLiteral("^([=_~*-])\\1{4,}$"));
    return line.boxes.isEmpty() && line.results.isEmpty() && kRule.match(line.pieces.front().trimmed()).hasMatch();
}

QString DesignedTitle(const QWidget *window)
{
    const auto *calculator = qobject_cast<const TCalculatorWindow *>(window);
    return calculator ? calculator->DesignedTitle() : window->windowTitle().trimmed();
}

bool BeforeTheSteps(const ReadLine &line, const QString &kind)
{
    return line.kind == kind && line.step == 0;
}

// The texts of the window's lines of one kind before the steps, the labels of a row joined.
QStringList RowsOf(const WindowReading &reading, const QString &kind)
{
    QStringList rows;
    bool previousOfKind = false;
    for (const ReadLine &line : reading.lines) {
        const bool ofKind = BeforeTheSteps(line, kind);
        if (ofKind) {
            const QString text = line.pieces.front().simplified();
            if (previousOfKind && line.onTheRowBefore)
                rows.back() += QLatin1Char(' ') + text;
            else
                rows << text;
        }
        previousOfKind = ofKind;
    }
    return rows;
}

ReportPart PartOf(const QWidget *window, int &pictureNumber)
{
    const WindowReading reading = ReadWindow(window);
    const auto *calculator = qobject_cast<const TCalculatorWindow *>(window);
    const CalculationModel model = calculator ? calculator->Model() : CalculationModel();
    ReportPart part;
    part.headings = RowsOf(reading, QStringLiteral("heading"));
    // Never the title bar, which names the file too.
    if (part.headings.isEmpty())
        part.headings << DesignedTitle(window);
    part.notes = RowsOf(reading, QStringLiteral("note"));
    part.citation = RowsOf(reading, QStringLiteral("citation"));
    for (const PictureReading &picture : reading.pictures) {
        if (!picture.cover)
            part.pictures << ReportPicture{picture.label,
                                           QStringLiteral("Рис. %1. %2").arg(++pictureNumber).arg(picture.caption)};
    }

    QList<ReportSection> sections(reading.steps.size() + 1);
    sections[0].title = QStringLiteral("Исходные данные");
    for (qsizetype step = 1; step < sections.size(); ++step) {
        sections[step].title = QStringLiteral("Шаг %1").arg(step);
        sections[step].done = false;
    }
    QList<bool> hasResults(sections.size(), false);
    for (const ReadLine &line : reading.lines) {
        if (BeforeTheSteps(line, QStringLiteral("heading")) || BeforeTheSteps(line, QStringLiteral("note"))
            || BeforeTheSteps(line, QStringLiteral("citation")))
            continue;
        ReportSection &section = sections[line.step];
        if (IsRule(line)) {
            section.ruledOff = true;
            continue;
        }
        for (const QLabel *result : line.results) {
            hasResults[line.step] = true;
            section.done = section.done || !model.Result(result->objectName()).text.isEmpty();
        }
        const ReportLine reportLine = LineOf(line, model);
        if (!reportLine.Text().isEmpty())
            section.lines << reportLine;
    }
    for (qsizetype step = 0; step < sections.size(); ++step) {
        // A step that writes nothing cannot be told undone.
        sections[step].done = sections[step].done || !hasResults[step];
        if (step > 0 || !sections[step].lines.isEmpty())
            part.sections << sections[step];
    }
    return part;
}

// «Моделирование», when the window's simulation is of exactly the values it holds now: its parameters, its
// verdict, and a line a row of its table, each figure after the column it stands in.
std::optional<ReportSection> SimulationSectionOf(QWidget *window)
{
    const std::optional<SimulationSection> simulation = CurrentSimulation(window);
    if (!simulation)
        return std::nullopt;
    ReportSection section;
    section.title = QStringLiteral("Моделирование");
    for (const ParameterText &parameter : simulation->parameters)
        section.lines << ReportLine{parameter.caption + QStringLiteral(" ="),
                                    {{parameter.value + QLatin1Char(' ') + parameter.unit}}};
    section.lines << ReportLine{simulation->verdict, {}};
    for (const QStringList &row : simulation->rows) {
        QStringList figures;
        for (qsizetype column = 1; column < row.size() && column < simulation->columns.size(); ++column) {
            // "При 20 °C" reads "при 20 °C" inside the line: only its first letter changes.
            const QString &heading = simulation->columns[column];
            figures << heading.left(1).toLower() + heading.mid(1) + QLatin1Char(' ') + row[column];
        }
        section.lines << ReportLine{row.value(0) + QLatin1Char(':'), {{figures.join(QStringLiteral("; ")), true}}};
    }
    return section;
}

QString FooterOf(const ReportFooter &footer)
{
    QStringList parts{footer.program + QLatin1Char(' ') + footer.version,
                      footer.date.toString(QStringLiteral("dd.MM.yyyy"))};
    if (!footer.fileName.isEmpty())
        parts << QFileInfo(footer.fileName).fileName();
    return parts.join(QStringLiteral(", "));
}

QString Escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString RunsHtml(const ReportLine &line)
{
    QStringList runs;
    for (const ReportRun &run : line.runs)
        runs << (run.result ? QStringLiteral("<b>%1</b>").arg(Escaped(run.text)) : Escaped(run.text));
    return runs.join(QLatin1Char(' '));
}

QString DataUri(const QLabel *picture, PictureData kind)
{
    if (kind == PictureData::Svg) {
        const QByteArray svg = SchematicSvg(picture);
        if (!svg.isEmpty())
            return QStringLiteral("data:image/svg+xml;base64,") + QString::fromLatin1(svg.toBase64());
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    SchematicImage(picture).save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

} // namespace

Report BuildReport(QWidget *window, const ReportFooter &footer)
{
    Report report;
    report.title = DesignedTitle(window);
    int pictureNumber = 0;
    report.parts << PartOf(window, pictureNumber);
    if (const std::optional<ReportSection> simulation = SimulationSectionOf(window))
        report.parts.front().sections << *simulation;
    if (const QStringList tolerance = CurrentToleranceLines(window); !tolerance.isEmpty()) {
        ReportSection section;
        section.title = QStringLiteral("Запас и разброс");
        for (const QString &line : tolerance)
            section.lines << ReportLine{line, {}};
        report.parts.front().sections << section;
    }
    if (const auto *calculator = qobject_cast<const TCalculatorWindow *>(window)) {
        if (const QWidget *following = calculator->FollowingCalculation())
            report.parts << PartOf(following, pictureNumber);
    }
    report.footer = FooterOf(footer);
    return report;
}

QString RenderText(const Report &report)
{
    QStringList lines;
    for (const ReportPart &part : report.parts) {
        if (&part != &report.parts.front())
            lines << QString();
        lines << part.headings << part.notes << part.citation;
        for (const ReportPicture &picture : part.pictures)
            lines << QString() << picture.caption;
        for (const ReportSection &section : part.sections) {
            lines << QString() << section.title;
            if (!section.done)
                lines << kNotDone;
            for (const ReportLine &line : section.lines)
                lines << line.Text();
        }
    }
    lines << QString() << report.footer;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString RenderHtml(const Report &report, PictureData pictures)
{
    // A line a table row; the cells are apart in the source too, so that a line read without its tags
    // is the line of the text report.
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                       "<style>\nbody { font-family: Tahoma, \"DejaVu Sans\", sans-serif; font-size: 11pt; "
                       "max-width: 60em; margin: 1em auto; }\n"
                       "h1 { font-size: 14pt; text-align: center; }\nh2 { font-size: 12pt; margin: 1.2em 0 0.3em; }\n"
                       "table { border-collapse: collapse; }\ntd { padding: 1px 0.5em 1px 0; vertical-align: top; }\n"
                       "figure { text-align: center; }\n"
                       ".undone { font-style: italic; }\n.footer { margin-top: 2em; font-size: 9pt; color: #555; }\n"
                       "</style>\n</head>\n<body>\n")
            .arg(Escaped(report.title));
    for (const ReportPart &part : report.parts) {
        if (!part.headings.isEmpty()) {
            QStringList headings;
            for (const QString &heading : part.headings)
                headings << Escaped(heading);
            html += QStringLiteral("<h1>%1</h1>\n").arg(headings.join(QStringLiteral("<br>\n")));
        }
        for (const QStringList *paragraph : {&part.notes, &part.citation}) {
            if (paragraph->isEmpty())
                continue;
            QStringList lines;
            for (const QString &line : *paragraph)
                lines << Escaped(line);
            html += QStringLiteral("<p>%1</p>\n").arg(lines.join(QStringLiteral("<br>\n")));
        }
        for (const ReportPicture &picture : part.pictures) {
            const QSize size = SchematicSize(picture.label);
            html += QStringLiteral("<figure>\n<img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\">\n"
                                   "<figcaption>%4</figcaption>\n</figure>\n")
                        .arg(DataUri(picture.label, pictures))
                        .arg(size.width())
                        .arg(size.height())
                        .arg(Escaped(picture.caption));
        }
        for (const ReportSection &section : part.sections) {
            html += QStringLiteral("<h2>%1</h2>\n").arg(Escaped(section.title));
            if (!section.done)
                html += QStringLiteral("<p class=\"undone\">%1</p>\n").arg(kNotDone);
            if (!section.lines.isEmpty()) {
                html += QStringLiteral("<table>\n");
                for (const ReportLine &line : section.lines) {
                    if (line.runs.isEmpty() || line.lead.isEmpty())
                        html += QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>\n")
                                    .arg(line.runs.isEmpty() ? Escaped(line.lead) : RunsHtml(line));
                    else
                        html += QStringLiteral("<tr><td>%1</td> <td>%2</td></tr>\n")
                                    .arg(Escaped(line.lead), RunsHtml(line));
                }
                html += QStringLiteral("</table>\n");
            }
            if (section.ruledOff)
                html += QStringLiteral("<hr>\n");
        }
    }
    html += QStringLiteral("<p class=\"footer\">%1</p>\n</body>\n</html>\n").arg(Escaped(report.footer));
    return html;
}

QString ReportText(QWidget *window, const ReportFooter &footer)
{
    return RenderText(BuildReport(window, footer));
}

QString ReportHtml(QWidget *window, const ReportFooter &footer)
{
    return RenderHtml(BuildReport(window, footer), PictureData::Svg);
}
