#pragma once

#include <QStringList>

// Makes every calculator's calculation a document and gives the windows their menu bars: a calculator's
// at its first show, the main menu's at once. Ending the program from the main menu asks about unsaved
// files first.
void SetUpDocumentsAndMenus();

// Opens each file in its calculator's window; what cannot be opened is said on standard error.
void OpenFromCommandLine(const QStringList &files);
