#include "files/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
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

FilesSavedTogether::FilesSavedTogether(SyncFunction *syncFileSystem) : sync_(syncFileSystem ? syncFileSystem : ::syncfs)
{}

FilesSavedTogether::~FilesSavedTogether()
{
    for (const Pending &file : pending_)
        ::unlink(file.temporary.constData());
}

Outcome<> FilesSavedTogether::Write(const QString &path, const QByteArray &contents)
{
    const QFileInfo target(path);
    if (target.isDir())
        return Failure{SystemErrorText(EISDIR)};
    if (target.exists() && !target.isFile())
        return SaveFile(path, contents);
    const QByteArray finalPath = QFile::encodeName(path);
    // Hidden, and unique however many threads and programs write beside the same name.
    QByteArray temporary;
    int handle = -1;
    do {
        temporary = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                                      + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate64(), 0, 36));
        handle = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (handle < 0 && errno == EEXIST);
    if (handle < 0)
        return Failure{SystemErrorText(errno)};
    // A file replaced keeps its permissions.
    struct stat old;
    int failure = 0;
    if (::stat(finalPath.constData(), &old) == 0 && ::fchmod(handle, old.st_mode & 07777) != 0)
        failure = errno;
    if (failure == 0)
        failure = WriteAll(handle, contents);
    if (::close(handle) != 0 && failure == 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temporary.constData());
        return Failure{SystemErrorText(failure)};
    }
    const std::lock_guard lock(mutex_);
    pending_.push_back({temporary, finalPath});
    return {};
}

Outcome<> FilesSavedTogether::Commit()
{
    const std::lock_guard lock(mutex_);
    const auto failed = [](const QByteArray &path, int failure) {
        return Failure{QStringLiteral("%1: %2").arg(QFile::decodeName(path), SystemErrorText(failure))};
    };
    // Each folder open, to sync its file system before the names are given and the folder itself after.
    std::map<QByteArray, int> folders;
    const auto closeFolders = [&] {
        for (const auto &[name, handle] : folders)
            ::close(handle);
    };
    for (const Pending &file : pending_) {
        const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(file.path)).absolutePath());
        if (folders.count(folder))
            continue;
        const int handle = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (handle < 0 || sync_(handle) != 0) {
            const int failure = errno;
            if (handle >= 0)
                ::close(handle);
            closeFolders();
            return failed(folder, failure);
        }
        folders[folder] = handle;
    }
    for (size_t renamed = 0; renamed < pending_.size(); ++renamed) {
        if (::rename(pending_[renamed].temporary.constData(), pending_[renamed].path.constData()) != 0) {
            const int failure = errno;
            const QByteArray path = pending_[renamed].path;
            pending_.erase(pending_.begin(), pending_.begin() + qsizetype(renamed));
            closeFolders();
            return failed(path, failure);
        }
    }
    pending_.clear();
    for (const auto &[folder, handle] : folders) {
        if (::fsync(handle) != 0) {
            closeFolders();
            return failed(folder, errno);
        }
    }
    closeFolders();
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
