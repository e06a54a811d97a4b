#pragma once

// Makes the application's style the desktop's own, with one difference nobody sees: a menu bar's overflow
// button reads its icon when the icon is first drawn rather than when the bar is made. Reading it finds out
// the files' format by loading every image format plugin, and the program's menu bars never overflow at
// their designed widths; start-up is the quicker for it.
void UseStyleWithOverflowIconsAtFirstUse();
