#pragma once

#include "outcome/outcome.h"

#include <QByteArray>
#include <QString>

// A file's bytes, at most `largest` of them; a failure says why in Russian («такого файла нет», «это папка, а не
// файл», «нет прав доступа», «файл больше N байт»), for the caller to put after the file's name.
Outcome<QByteArray> ReadFileBytes(const QString &path, qint64 largest);
