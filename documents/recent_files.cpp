#include "documents/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {

constexpr qsizetype kMostRecent = 10;
const char kKey[] = "recentCalculations";

QSettings Settings()
{
    return QSettings(QStringLiteral("Ortix-T"), QStringLiteral("Ortix-T"));
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
