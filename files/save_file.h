#pragma once

#include "outcome/outcome.h"

#include <QByteArray>
#include <QString>

// Writes the bytes to the file whole or not at all. A regular file is replaced only once every byte is on
// the disk, so a failure leaves the old file as it was and no new one; a device or a pipe (/dev/stdout) is
// written directly. A failure says the cause in Russian.
Outcome<> SaveFile(const QString &path, const QByteArray &contents);

// The operating system's cause of a failed file operation, in Russian where it is one a user meets.
QString SystemErrorText(int error);
