#include "app/export_actions.h"

#include "documents/calculation_document.h"
#include "simulation/simulation.h"
#include "window/calculator_window.h"
#include "window/fault_report.h"
#include "window/save_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <functional>

namespace {

void ExportWithDialog(TCalculationDocument *document, QWidget *parent, const QString &title, const QStringList &formats,
                      const std::function<Outcome<>(const QString &)> &write)
{
    const QString path = document->FilePath();
    const QString folder = path.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                          : QFileInfo(path).absolutePath();
    const QString name =
        path.isEmpty() ? document->Calculator()->windowTitle().trimmed() : QFileInfo(path).completeBaseName();
    const Outcome<QString> out = AskSavePath(
        parent, title, QDir(folder).filePath(name + QLatin1Char('.') + ExtensionOf(formats.front())), formats);
    if (!out)
        return;
    if (const Outcome<> written = write(*out); !written)
        ShowWarning(
            parent,
            QStringLiteral("Не удалось записать «%1»: %2").arg(QDir::toNativeSeparators(*out), written.Message()));
}

} // namespace

ReportFooter FooterOf(const TCalculationDocument *document)
{
    return {QStringLiteral("Ортикс-Т"), QCoreApplication::applicationVersion(), QDate::currentDate(),
            document->FilePath().isEmpty() ? QString() : QFileInfo(document->FilePath()).fileName()};
}

void ExportReportWithDialog(TCalculationDocument *document, QWidget *parent)
{
    ExportWithDialog(
        document, parent, QStringLiteral("Экспорт отчёта"), ReportFormats(),
        [document](const QString &out) { return WriteReport(document->Calculator(), out, FooterOf(document)); });
}

void ExportNetlistWithDialog(TCalculationDocument *document, QWidget *parent)
{
    ExportWithDialog(document, parent, QStringLiteral("Экспорт схемы SPICE"), {QStringLiteral("Схема SPICE (*.cir)")},
                     [document](const QString &out) { return ExportNetlist(document->Calculator(), out); });
}
