#pragma once

#include <QStringList>

// Makes every calculator's calculation a document and gives the windows their menu bars: a calculator's
// at its first show, the main menu's at once. Ending the program from the main menu asks about unsaved
// files first.
void SetUpDocumentsAndMenus();

// Once the event loop runs, opens each file in its calculator's window; what cannot be opened is said in a
// message box over the main menu, and on standard error.
void OpenFromCommandLine(const QStringList &files);
