#include "files/save_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// Every byte through the system's own calls, so that each failure keeps its errno: Qt's buffer would hold
// a small file until commit(), which does not say when writing it out fails.
int WriteAll(int handle, const QByteArray &contents)
{
    const char *next = contents.constData();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(handle, next, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        next += written;
        left -= written;
    }
    return 0;
}

// The cause of a failed Qt call: its errno when the system set one, else Qt's own words.
QString CauseOf(int error, const QFileDevice &file)
{
    return error != 0 ? SystemErrorText(error) : file.errorString();
}

} // namespace

Outcome<> SaveFile(const QString &path, const QByteArray &contents)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        QFile device(path);
        errno = 0;
        if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return Failure{CauseOf(errno, device)};
        if (const int failure = WriteAll(device.handle(), contents))
            return Failure{SystemErrorText(failure)};
        return {};
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failure{CauseOf(errno, file)};
    int failure = WriteAll(file.handle(), contents);
    // A file system that allocates late reports a full disk only here.
    if (failure == 0 && ::fsync(file.handle()) != 0)
        failure = errno;
    if (failure != 0) {
        file.cancelWriting();
        return Failure{SystemErrorText(failure)};
    }
    errno = 0;
    if (!file.commit())
        return Failure{CauseOf(errno, file)};
    return {};
}

QString SystemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("на диске нет места");
    case EDQUOT:
        return QStringLiteral("исчерпана дисковая квота");
    case EROFS:
        return QStringLiteral("файловая система только для чтения");
    case EFBIG:
        return QStringLiteral("файл больше, чем разрешено записывать");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав доступа");
    case ENOENT:
        return QStringLiteral("нет такой папки");
    case ENOTDIR:
        return QStringLiteral("часть пути — не папка");
    case EISDIR:
        return QStringLiteral("это папка, а не файл");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя файла");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("файл занят");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}
