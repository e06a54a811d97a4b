#pragma once

#include "report/report.h"

class TCalculationDocument;
class QWidget;

// The report's footer for the calculation: the program, its version, today, and the file's name.
ReportFooter FooterOf(const TCalculationDocument *document);

// Asks where to write the calculation's report, in which format, and writes it; a failure is reported.
void ExportReportWithDialog(TCalculationDocument *document, QWidget *parent);

// --report OUT FILE: writes the report of the calculation file without showing anything. Returns the
// program's exit code: 0 when written, 1 with one line on standard error when not.
int WriteReportOfFile(const QString &file, const QString &out);
