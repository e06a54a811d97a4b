#pragma once

class QWidget;

// Keeps what is typed into the window's edit boxes readable: a box the user has left shows the beginning
// of its text, and a box too narrow for its whole text shows it whole in its tooltip.
void KeepEditBoxesReadable(QWidget *window);
