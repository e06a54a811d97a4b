#include "files/read_file.h"

#include "files/save_file.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

Outcome<QByteArray> ReadFileBytes(const QString &path, qint64 largest)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failure{QStringLiteral("такого файла нет")};
    if (info.isDir())
        return Failure{QStringLiteral("это папка, а не файл")};
    if (info.size() > largest)
        return Failure{QStringLiteral("файл больше %1 байт").arg(largest)};
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return Failure{errno ? SystemErrorText(errno) : file.errorString()};
    return file.read(largest + 1);
}
