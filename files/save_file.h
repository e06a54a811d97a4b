#pragma once

#include "outcome/outcome.h"

#include <QByteArray>
#include <QString>

#include <mutex>
#include <vector>

// Writes the bytes to the file whole or not at all. A regular file is replaced only once every byte is on
// the disk, so a failure leaves the old file as it was and no new one; a device or a pipe (/dev/stdout) is
// written directly. A failure says the cause in Russian.
Outcome<> SaveFile(const QString &path, const QByteArray &contents);

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

    // A failure, saying the cause in Russian, when the file could not be written; a device or a pipe is
    // written at once, as SaveFile does.
    Outcome<> Write(const QString &path, const QByteArray &contents);

    // Waits until the disk holds every file written, then gives each its name. A failure, saying the cause and
    // the file it concerns, when the disk failed to hold them (then none takes its name) or a name could not be
    // given.
    Outcome<> Commit();

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
