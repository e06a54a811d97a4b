#pragma once

#include "report/report.h"

class TCalculationDocument;
class QWidget;

// The report's footer for the calculation: the program, its version, today, and the file's name.
ReportFooter FooterOf(const TCalculationDocument *document);

// Ask where to write the calculation's report (in which format) or its circuit's SPICE netlist, beside the
// calculation's file and after its name, and write it there; a failure is reported.
void ExportReportWithDialog(TCalculationDocument *document, QWidget *parent);
void ExportNetlistWithDialog(TCalculationDocument *document, QWidget *parent);
