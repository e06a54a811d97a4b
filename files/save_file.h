#pragma once

#include <QByteArray>
#include <QString>

#include <mutex>
#include <vector>

// Writes the bytes to the file whole or not at all. A regular file is replaced only once every byte is on
// the disk, so a failure leaves the old file as it was and no new one; a device or a pipe (/dev/stdout) is
// written directly. False, with the cause in Russian in *error, when not written.
[[nodiscard]] bool SaveFile(const QString &path, const QByteArray &contents, QString *error);

// Many files saved as SaveFile saves one, whole or not at all, but with one wait for the disk for all of them
// instead of one for each: each is written beside its path, and only once the disk holds every one of them
// do they take their names, each replacing the file there. Write may be called from several threads at once.
class FilesSavedTogether
{
public:
    using SyncFunction = int(int handle);
    // The sync of a file system (syncfs) is replaced only by tests.
    explicit FilesSavedTogether(SyncFunction *syncFileSystem = nullptr);
    ~FilesSavedTogether(); // what Commit did not put in place is removed
    FilesSavedTogether(const FilesSavedTogether &) = delete;
    FilesSavedTogether &operator=(const FilesSavedTogether &) = delete;

    // False, with the cause in Russian in *error, when the file could not be written; a device or a pipe is
    // written at once, as SaveFile does.
    [[nodiscard]] bool Write(const QString &path, const QByteArray &contents, QString *error);

    // Waits until the disk holds every file written, then gives each its name. False, with the cause and the
    // file it concerns in *error, when the disk failed to hold them (then none takes its name) or a name could
    // not be given.
    [[nodiscard]] bool Commit(QString *error);

private:
    struct Pending
    {
        QByteArray temporary; // beside the path, in the file system's encoding
        QByteArray path;
    };
    SyncFunction *sync_;
    std::mutex mutex_;
    std::vector<Pending> pending_;
};

// The operating system's cause of a failed file operation, in Russian where it is one a user meets.
QString SystemErrorText(int error);
