#pragma once

#include "outcome/outcome.h"

#include <QString>
#include <QStringList>

class QWidget;

// Asks where to save, starting at the suggested path. A name typed without an extension gets the chosen
// format's before the dialog checks it, so that the question about replacing a file names the file that
// will be written. The path, and the chosen filter in *filter; cancelled when the user cancels.
Outcome<QString> AskSavePath(QWidget *parent, const QString &title, const QString &suggested,
                             const QStringList &filters, QString *filter = nullptr);

// The first extension a file dialog filter names, without its dot: "pdf" of "PDF (*.pdf)".
QString ExtensionOf(const QString &filter);
