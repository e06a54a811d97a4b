#pragma once

#include <QString>

class QLabel;

// Shows the embedded picture ":/pictures/<name>.jpg" at its natural size from the box's top-left
// corner, clipped, never scaled; on a high-density screen its twice-as-large rendering "<name>@2x.jpg".
// A picture that is not embedded leaves the box empty.
void ShowPicture(QLabel *box, const QString &name);

// The same, done when the box is first shown: a window that starts hidden decodes no picture until then,
// and the picture suits the screen the window is first shown on.
void ShowPictureWhenShown(QLabel *box, const QString &name);
