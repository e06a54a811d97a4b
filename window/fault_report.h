#pragma once

#include "outcome/outcome.h"

#include <QString>

class QWidget;

// The message as the report shows it: "." appended when the last character sorts after ".".
QString FaultReportText(const QString &message);

// A warning that what the user asked for could not be done: the application's title, the text as it
// stands (never as markup), one OK button.
void ShowWarning(QWidget *parent, const QString &text);

// Shows an operation's failure in the warning box; what was done or cancelled shows nothing.
template <class T>
void ShowFailure(QWidget *parent, const Outcome<T> &outcome)
{
    if (outcome.Failed())
        ShowWarning(parent, outcome.Message());
}

// The application-modal stop box with the application's title and one OK button; while a collector
// lives, the message is kept in it instead.
void ShowFaultReport(QWidget *parent, const QString &message);

// Keeps the fault reports of the steps a program presses itself, which decides how to tell them.
class TFaultCollector
{
public:
    TFaultCollector();
    ~TFaultCollector();
    TFaultCollector(const TFaultCollector &) = delete;
    TFaultCollector &operator=(const TFaultCollector &) = delete;

    // The first message kept, empty when none was.
    QString Fault() const { return fault_; }

private:
    friend void ShowFaultReport(QWidget *, const QString &);
    QString fault_;
    TFaultCollector *outer_;
};
