#include "window/save_dialog.h"

#include <QFileDialog>
#include <QRegularExpression>

QString ExtensionOf(const QString &filter)
{
    static const QRegularExpression extension(QStringLiteral("\\*\\.(\\w+)"));
    return extension.match(filter).captured(1);
}

Outcome<QString> AskSavePath(QWidget *parent, const QString &title, const QString &suggested,
                             const QStringList &filters, QString *filter)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(ExtensionOf(filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &chosen) { dialog.setDefaultSuffix(ExtensionOf(chosen)); });
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return Cancelled{};
    if (filter)
        *filter = dialog.selectedNameFilter();
    return dialog.selectedFiles().front();
}
