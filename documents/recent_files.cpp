#include "documents/recent_files.h"

#include "files/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr qsizetype kMostRecent = 10;

QString ListPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("recent-calculations.json"));
}

// The list as earlier versions kept it, in their settings file.
QStringList EarlierList()
{
    return QSettings(QStringLiteral("Ortix-T"), QStringLiteral("Ortix-T"))
        .value(QLatin1String("recentCalculations"))
        .toStringList();
}

void Store(const QStringList &paths)
{
    const QString path = ListPath();
    const Outcome<> saved = QDir().mkpath(QFileInfo(path).absolutePath())
        ? SaveFile(path, QJsonDocument(QJsonArray::fromStringList(paths)).toJson())
        : Outcome<>(Failure{QStringLiteral("папка не создана")});
    if (!saved)
        qWarning("Список недавних расчётов не сохранён в «%s»: %s", qPrintable(path), qPrintable(saved.Message()));
}

} // namespace

QStringList RecentCalculations()
{
    QFile file(ListPath());
    if (!file.open(QIODevice::ReadOnly))
        return EarlierList();
    QStringList paths;
    for (const QJsonValue &value : QJsonDocument::fromJson(file.read(1 << 20)).array()) {
        if (value.isString())
            paths << value.toString();
    }
    return paths.mid(0, kMostRecent);
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
