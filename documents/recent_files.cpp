#include "documents/recent_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr qsizetype kMostRecent = 10;
const char kKey[] = "recentCalculations";

// One for the whole run: it writes the settings file from the event loop and at exit, not in the middle of
// an opening or saving, where its locking and syncing would take longer than the rest together.
QSettings &Settings()
{
    static QSettings *settings =
        new QSettings(QStringLiteral("Ortix-T"), QStringLiteral("Ortix-T"), QCoreApplication::instance());
    return *settings;
}

void Store(const QStringList &paths)
{
    Settings().setValue(QLatin1String(kKey), paths);
}

} // namespace

QStringList RecentCalculations()
{
    return Settings().value(QLatin1String(kKey)).toStringList();
}

void AddRecentCalculation(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = RecentCalculations();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    Store(paths.mid(0, kMostRecent));
}

void RemoveRecentCalculations(const QStringList &gone)
{
    QStringList paths = RecentCalculations();
    for (const QString &path : gone)
        paths.removeAll(path);
    Store(paths);
}
