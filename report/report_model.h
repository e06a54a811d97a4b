#pragma once

#include "report/report.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QLabel;

// A piece of a line after its lead: a value typed or accepted with the words beside it, or a result
// (bold, as on screen).
struct ReportRun
{
    QString text;
    bool result = false;
};

// A line of the report: its words up to the first value, then the values with what stands between and
// after them ("Амплитуда положительных импульсов Uки =" and "9 В"). A line without values is all lead.
struct ReportLine
{
    QString lead;
    QList<ReportRun> runs;

    QString Rest() const
    {
        QStringList texts;
        for (const ReportRun &run : runs)
            texts << run.text;
        return texts.join(QLatin1Char(' '));
    }
    QString Text() const { return runs.isEmpty() ? lead : lead.isEmpty() ? Rest() : lead + QLatin1Char(' ') + Rest(); }
};

struct ReportSection
{
    QString title; // «Исходные данные», «Шаг N»
    bool done = true;
    QList<ReportLine> lines;
    bool ruledOff = false; // a decorative rule of the window ends it: a break, not text
};

struct ReportPicture
{
    const QLabel *label = nullptr;
    QString caption; // "Рис. 1. Схема триггера"
};

// One window's calculation.
struct ReportPart
{
    QStringList headings; // the window's heading, a line a row; its designed title where it has none
    QStringList notes;    // the same
    QStringList citation; // the same
    QList<ReportPicture> pictures;
    QList<ReportSection> sections;
};

struct Report
{
    QString title;           // the calculation's name: its window's designed title
    QList<ReportPart> parts; // the window's, then the one it opens
    QString footer;
};

inline const QString kNotDone = QStringLiteral("не выполнен");

Report BuildReport(QWidget *window, const ReportFooter &footer);

QString RenderText(const Report &report);

// How the schematics are given: their SVG sources, drawn in vectors, or PNG images, which word
// processors read more readily.
enum class PictureData { Svg, Png };

// One self-contained page, the schematics as data URIs.
QString RenderHtml(const Report &report, PictureData pictures);

// The reports in one PDF, as WriteReport writes one: each from a new page, numbered on its own; its fonts and
// schematics written once for all. It may live on a thread other than the windows', which then stay as they are
// until it is finished; it is made, added to, finished and destroyed on one thread, whose fonts it uses.
class PdfOfReports
{
public:
    PdfOfReports();
    ~PdfOfReports();
    PdfOfReports(const PdfOfReports &) = delete;
    PdfOfReports &operator=(const PdfOfReports &) = delete;

    void Add(const Report &report);
    QByteArray Finish(const QString &title); // the file, of that title

private:
    class Writer;
    std::unique_ptr<Writer> writer_;
};

QByteArray ReportsPdf(const QList<Report> &reports, const QString &title);

// Where each picture of the report, with its caption, lies when printed on A4: the pages (from 0) of its
// top and of its bottom.
QList<std::pair<int, int>> PicturePages(const Report &report);
