#pragma once

#include <QStringList>

class TForm1;

// Gives the main menu its menu bar. Ending the program from it asks about unsaved files first.
void SetUpMainMenu(TForm1 *form);

// Makes every calculator's calculation a document and gives the calculator windows their menu bars at
// their first show.
void SetUpCalculations();

// Once the event loop runs, opens each file in its calculator's window; what cannot be opened is said in a
// message box over the main menu, and on standard error.
void OpenFromCommandLine(const QStringList &files);
