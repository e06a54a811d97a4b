#pragma once

#include <QString>

class QLabel;

// Shows the embedded picture ":/pictures/<name>.jpg" at its natural size from the box's top-left
// corner, clipped, never scaled; on a high-density screen its twice-as-large rendering "<name>@2x.jpg".
// A picture that is not embedded leaves the box empty.
void ShowPicture(QLabel *box, const QString &name);
