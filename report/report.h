#pragma once

#include "outcome/outcome.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QWidget;

// The report of a calculator window: the calculation written up as a document. Its designed heading (the
// window's heading lines, or its designed title where it has none: never the title bar) and citation,
// the schematic with its caption, the given data, then a section «Шаг N» a step with its prompts (the
// typed values in their gaps: «—» for an empty box) and its results after their captions, in the
// window's reading order; a step whose results are all empty is «не выполнен». Results are bold where
// the format can tell, as on screen; a decorative rule of the window is a break between sections. A
// window that opens a calculation of its own (the load connections of the emitter-coupled trigger) has
// that as its last section. A simulation of exactly the values the window holds now, shown in its
// «Моделирование», follows the steps as a section of that name. The window need not have been shown.

// The report's last line: "Ортикс-Т 1.0.0, 07.12.2026, расчёт.json".
struct ReportFooter
{
    QString program;
    QString version;
    QDate date;
    QString fileName; // the calculation's file, if it has one; only its name is printed
};

QString ReportText(QWidget *window, const ReportFooter &footer);

// One self-contained page: the schematic as an SVG data URI, the lines as a table.
QString ReportHtml(QWidget *window, const ReportFooter &footer);

// The export dialog's filters, PDF first; each names the extensions WriteReport knows.
QStringList ReportFormats();

// Writes the report in the format of the path's extension: .pdf (A4, searchable text with its fonts
// embedded, the schematics in vectors), .odt (A4), .html or .htm, .txt. PDF and ODT pages are numbered
// «стр. N из M»; the PDF and the page are titled with the calculation's designed title. The file is
// replaced only once it is written whole; on failure nothing is left at the path, and the failure says
// why in one line.
Outcome<> WriteReport(QWidget *window, const QString &path, const ReportFooter &footer);

// The print dialog, then the report on the chosen printer.
void PrintReport(QWidget *window, const ReportFooter &footer, QWidget *parent);

// The report in the print preview dialog, which prints it too.
void PreviewReport(QWidget *window, const ReportFooter &footer, QWidget *parent);

// Puts the report on the clipboard: as text, and beside it as HTML that a word processor pastes as a
// formatted table.
void CopyReport(QWidget *window, const ReportFooter &footer);
