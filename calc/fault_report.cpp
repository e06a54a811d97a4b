#include "calc/fault_report.h"

#include <QCoreApplication>
#include <QMessageBox>

QString FaultReportText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ShowFaultReport(QWidget *parent, const QString &message)
{
    // Built with setters: the static helpers guess rich text, and a typed "<b>1</b>" must show as typed.
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setIcon(QMessageBox::Critical);
    box.setTextFormat(Qt::PlainText);
    box.setText(FaultReportText(message));
    // The quoted text can be selected and copied, to be mended and typed again.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}
