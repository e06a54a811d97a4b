#pragma once

class QApplication;

// What the program sets on its application before creating windows: the desktop entry and icon it
// belongs to, the decimal separator that follows the regional settings, and the designed fonts.
void SetUpApplication(QApplication *application);

// Waits for what start-up left running on threads of its own; before the application object goes.
void FinishStartUp();
