#include "app/report_actions.h"

#include "documents/calculation_document.h"
#include "window/calculator_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstdio>

ReportFooter FooterOf(const TCalculationDocument *document)
{
    return {QStringLiteral("Ортикс-Т"), QCoreApplication::applicationVersion(), QDate::currentDate(),
            document->FilePath().isEmpty() ? QString() : QFileInfo(document->FilePath()).fileName()};
}

void ExportReportWithDialog(TCalculationDocument *document, QWidget *parent)
{
    // Beside the calculation's file and after its name, or else as the calculator is called.
    const QString path = document->FilePath();
    const QString folder = path.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                          : QFileInfo(path).absolutePath();
    const QString name =
        path.isEmpty() ? document->Calculator()->windowTitle().trimmed() : QFileInfo(path).completeBaseName();
    const QStringList formats = ReportFormats();
    QString format = formats.front();
    QString out = QFileDialog::getSaveFileName(parent, QStringLiteral("Экспорт отчёта"),
                                               QDir(folder).filePath(name + QStringLiteral(".pdf")),
                                               formats.join(QStringLiteral(";;")), &format);
    if (out.isEmpty())
        return;
    // No extension typed: the chosen format's first one.
    if (QFileInfo(out).suffix().isEmpty()) {
        const QRegularExpressionMatch extension = QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(format);
        out += extension.captured(1);
    }
    QString error;
    if (!WriteReport(document->Calculator(), out, FooterOf(document), &error)) {
        QMessageBox box(
            QMessageBox::Warning, QCoreApplication::applicationName(),
            QStringLiteral("Не удалось записать отчёт в «%1»: %2").arg(QDir::toNativeSeparators(out), error),
            QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

int WriteReportOfFile(const QString &file, const QString &out)
{
    QString error;
    const TCalculationDocument *document = LoadCalculation(file, &error);
    if (document && WriteReport(document->Calculator(), out, FooterOf(document), &error))
        return 0;
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(error));
    return 1;
}
