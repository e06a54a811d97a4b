#pragma once

#include <QStringList>

// The calculation files last opened or saved, newest first, at most ten, kept between runs.
QStringList RecentCalculations();
void AddRecentCalculation(const QString &path);
void RemoveRecentCalculations(const QStringList &paths);
