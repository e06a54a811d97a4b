#include "window_structure/accessible_names.h"

#include "window_structure/window_reading.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QString WordsAndUnit(const BoxReading &box)
{
    if (box.unit.isEmpty())
        return box.words;
    return box.words + (box.unit.startsWith(QLatin1Char('(')) ? QStringLiteral(" ") : QStringLiteral(", ")) + box.unit;
}

} // namespace

void NameForScreenReaders(QWidget *window)
{
    const WindowReading reading = ReadWindow(window);
    for (const PictureReading &picture : reading.pictures) {
        if (picture.label->accessibleName().isEmpty())
            picture.label->setAccessibleName(picture.caption);
    }
    for (const BoxReading &box : reading.boxes) {
        if (!box.words.isEmpty())
            box.box->setAccessibleName(WordsAndUnit(box));
    }
    for (const ResultReading &result : reading.results) {
        if (!result.caption.isEmpty())
            result.label->setAccessibleName(result.caption);
    }
}
