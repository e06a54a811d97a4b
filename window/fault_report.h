#pragma once

#include <QString>

class QWidget;

// The message as the report shows it: "." appended when the last character sorts after ".".
QString FaultReportText(const QString &message);

// The application-modal stop box with the application's title and one OK button.
void ShowFaultReport(QWidget *parent, const QString &message);
