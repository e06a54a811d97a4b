#pragma once

class QWidget;

// Names the window's controls for screen readers as a sighted user reads them: an edit box by its
// prompt and unit ("Амплитуда положительных импульсов Uки, В"), a result by the caption before it,
// a picture by what it shows.
void NameForScreenReaders(QWidget *window);
