#pragma once

#include "report/report.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class QLabel;

// A line of the report: its words up to the first value, then the values with what stands between and
// after them ("Амплитуда положительных импульсов Uки =" and "9 В"). A line without values is all lead.
struct ReportLine
{
    QString lead;
    QString rest;

    QString Text() const { return rest.isEmpty() ? lead : lead.isEmpty() ? rest : lead + QLatin1Char(' ') + rest; }
};

struct ReportSection
{
    QString title; // «Исходные данные», «Шаг N»
    bool done = true;
    QList<ReportLine> lines;
};

struct ReportPicture
{
    const QLabel *label = nullptr;
    QString caption; // "Рис. 1. Схема триггера"
};

// One window's calculation.
struct ReportPart
{
    QString title;        // the window's title
    QStringList headings; // a line a row of the window
    QStringList notes;    // the same
    QStringList citation; // the same
    QList<ReportPicture> pictures;
    QList<ReportSection> sections;
};

struct Report
{
    QList<ReportPart> parts; // the window's, then the one it opens
    QString footer;
};

inline const QString kNotDone = QStringLiteral("не выполнен");

Report BuildReport(QWidget *window, const ReportFooter &footer);

QString RenderText(const Report &report);

// The schematics as SVG data URIs (vector, for a page of its own) or PNG ones (for the clipboard, which
// word processors read more readily).
enum class PictureData { Svg, Png };
QString RenderHtml(const Report &report, PictureData pictures);
