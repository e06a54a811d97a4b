#pragma once

#include <QString>

class QWidget;

// The message as the report shows it: "." appended when the last character sorts after ".".
QString FaultReportText(const QString &message);

// A warning that what the user asked for could not be done: the application's title, the text as it
// stands (never as markup), one OK button.
void ShowWarning(QWidget *parent, const QString &text);

// The application-modal stop box with the application's title and one OK button.
void ShowFaultReport(QWidget *parent, const QString &message);
