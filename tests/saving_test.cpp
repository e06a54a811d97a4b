// Every kind of file the program writes, written where writing fails: past a file-size limit, on a full
// disk, to a device that is always full. The old file stays byte for byte, the cause is named in Russian,
// and a calculation stays unsaved.
#include "calculators/same_type/form3.h"
#include "documents/calculation_document.h"
#include "files/save_file.h"
#include "report/report.h"
#include "tests/support/window_driver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

constexpr char kOldContents[] = "the old file";

// Where a write of more than a few bytes fails, and the cause the program must name.
struct FailingPlace
{
    const char *name;
    const char *cause;
    // Sets the place up in the folder and returns the path to write to, ending in the extension: an old
    // file there, or a link to a device; an empty path where the machine cannot make it (a full disk
    // needs a mount).
    std::function<QString(const QString &folder, const QString &extension)> prepare;
    std::function<void()> undo = [] {};
};

QString WriteOld(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(kOldContents) < 0)
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

rlimit gSavedLimit;

const FailingPlace kPlaces[] = {
    {"file-size limit", "больше, чем разрешено",
     [](const QString &folder, const QString &extension) {
         std::signal(SIGXFSZ, SIG_IGN);
         getrlimit(RLIMIT_FSIZE, &gSavedLimit);
         const QString path = WriteOld(folder + QStringLiteral("/limited") + extension);
         rlimit limit = gSavedLimit;
         limit.rlim_cur = 1024;
         setrlimit(RLIMIT_FSIZE, &limit);
         return path;
     },
     [] { setrlimit(RLIMIT_FSIZE, &gSavedLimit); }},
    {"full disk", "нет места",
     [](const QString &folder, const QString &extension) {
         const QString disk = folder + QStringLiteral("/disk");
         QDir().mkpath(disk);
         if (mount("tmpfs", qPrintable(disk), "tmpfs", 0, "size=16k") != 0)
             return QString();
         const QString path = WriteOld(disk + QStringLiteral("/full") + extension);
         QFile filler(disk + QStringLiteral("/filler"));
         if (filler.open(QIODevice::WriteOnly))
             while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {}
         return path;
     }},
    {"device always full", "нет места",
     [](const QString &folder, const QString &extension) {
         const QString path = folder + QStringLiteral("/device") + extension;
         QFile::link(QStringLiteral("/dev/full"), path);
         return path;
     }},
};

// What the program writes.
struct Writer
{
    const char *name;
    const char *extension;
    std::function<Outcome<>(const QString &path)> write;
};

Outcome<> ReportOfForm3(const QString &path)
{
    return WriteReport(Form3, path, {});
}

const Writer kWriters[] = {
    {"calculation", ".ortix", [](const QString &path) { return TCalculationDocument::Of(Form3)->SaveTo(path); }},
    {"PDF report", ".pdf", ReportOfForm3},
    {"ODT report", ".odt", ReportOfForm3},
    {"HTML report", ".html", ReportOfForm3},
    {"text report", ".txt", ReportOfForm3},
    {"a batch's file", ".ortix",
     [](const QString &path) {
         FilesSavedTogether files;
         const Outcome<> written = files.Write(path, QByteArray(4096, 'x'));
         return written ? files.Commit() : written;
     }},
};

TEST(Saving, AFailedWriteLeavesTheOldFileAndNamesTheCause)
{
    Type(Find<QLineEdit>(Form3, "Edit1"), QStringLiteral("10"));
    TCalculationDocument *document = TCalculationDocument::Of(Form3);
    for (const FailingPlace &place : kPlaces) {
        for (const Writer &writer : kWriters) {
            QTemporaryDir folder;
            const QString path = place.prepare(folder.path(), QString::fromLatin1(writer.extension));
            if (path.isEmpty()) {
                std::printf("%s: not tried, the machine cannot mount a disk\n", place.name);
                break;
            }
            // A device reads as endless bytes: only a file's contents are compared.
            const bool device = QFileInfo(path).isSymLink();
            const QByteArray before = device ? QByteArray() : FileBytes(path);
            const Outcome<> written = writer.write(path);
            const QString said = written.Message();
            place.undo();
            EXPECT_TRUE(written.Failed()) << writer.name << " at " << place.name;
            EXPECT_TRUE(said.contains(QString::fromUtf8(place.cause))) << writer.name << ": " << said.toStdString();
            if (!device) {
                EXPECT_EQ(FileBytes(path), before) << writer.name << " at " << place.name;
            }
            EXPECT_TRUE(document->IsModified());
            umount(qPrintable(folder.filePath(QStringLiteral("disk"))));
        }
    }
}

// A batch's files take their names only once the disk holds them all: a sync that fails leaves the file that was
// there and makes no new one, and says why; a file replaced keeps its permissions; nothing is left beside them.
TEST(Saving, FilesSavedTogetherTakeTheirNamesOnlyOnceOnTheDisk)
{
    const struct
    {
        FilesSavedTogether::SyncFunction *sync;
        bool committed;
        const char *cause;
    } rows[] = {{nullptr, true, ""}, {[](int) { return errno = EIO, -1; }, false, "ошибка ввода-вывода"}};
    for (const auto &row : rows) {
        QTemporaryDir folder;
        const QString old = WriteOld(folder.filePath(QStringLiteral("old.ortix")));
        const QString fresh = folder.filePath(QStringLiteral("new.ortix"));
        QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner);
        QString said;
        {
            FilesSavedTogether files(row.sync);
            ASSERT_TRUE(files.Write(old, "new") && files.Write(fresh, "new"));
            EXPECT_EQ(FileBytes(old), kOldContents);
            EXPECT_FALSE(QFileInfo::exists(fresh));
            const Outcome<> committed = files.Commit();
            said = committed.Message();
            EXPECT_EQ(committed.Done(), row.committed) << said.toStdString();
        }
        EXPECT_TRUE(said.contains(QString::fromUtf8(row.cause))) << said.toStdString();
        EXPECT_EQ(FileBytes(old), row.committed ? "new" : kOldContents);
        EXPECT_EQ(QFileInfo::exists(fresh), row.committed);
        EXPECT_EQ(QFile::permissions(old), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), row.committed ? 2 : 1);
    }
}

} // namespace
