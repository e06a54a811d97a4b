#include "window_structure/window_reading.h"

#include "window/designed_window.h"
#include "window_structure/window_structure.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <class Control>
Control *Named(const QHash<QString, QWidget *> &controls, const char *name)
{
    // No name is no control, whatever the window holds without one.
    return *name ? qobject_cast<Control *>(controls.value(QString::fromUtf8(name))) : nullptr;
}

} // namespace

int WindowReading::StepOf(const QWidget *control) const
{
    for (const ReadLine &line : lines) {
        if (line.anchor == control || line.boxes.contains(control) || line.results.contains(control))
            return line.step;
    }
    return 0;
}

namespace {

WindowReading ReadDeclared(const QWidget *window)
{
    WindowReading reading;
    const WindowStructure *structure = DeclaredStructureOf(window);
    if (!structure)
        return reading;
    QHash<QString, QWidget *> controls;
    for (QWidget *control : OwnControls<QWidget>(window))
        controls.insert(control->objectName(), control);

    for (const char *name : structure->steps) {
        if (auto *button = Named<QPushButton>(controls, name))
            reading.steps << button;
    }
    for (const DeclaredPicture &picture : structure->pictures) {
        if (QLabel *shown = Named<QLabel>(controls, picture.name))
            reading.pictures << PictureReading{shown, QString::fromUtf8(picture.caption), picture.cover};
    }
    for (const DeclaredLine &declared : structure->lines) {
        ReadLine line;
        line.kind = QString::fromUtf8(declared.kind);
        line.anchor = controls.value(QString::fromUtf8(declared.anchor));
        if (!line.anchor)
            continue;
        for (const char *piece : declared.pieces)
            line.pieces << QString::fromUtf8(piece);
        for (const DeclaredBox &box : declared.boxes) {
            auto *edit = Named<QLineEdit>(controls, box.name);
            if (!edit)
                continue;
            line.boxes << edit;
            reading.boxes << BoxReading{edit, QString::fromUtf8(box.words), QString::fromUtf8(box.unit),
                                        Named<QLabel>(controls, box.result)};
        }
        for (const DeclaredResult &result : declared.results) {
            if (QLabel *shown = Named<QLabel>(controls, result.name)) {
                line.results << shown;
                reading.results << ResultReading{shown, QString::fromUtf8(result.caption)};
            }
        }
        line.step = declared.step;
        line.onTheRowBefore = declared.onTheRowBefore;
        reading.lines << line;
    }
    return reading;
}

} // namespace

WindowReading ReadWindow(const QWidget *window)
{
    // A window's controls are made with it, and its structure is declared once: it is read once, on the thread
    // of the windows, and forgotten with the window.
    static QHash<const QWidget *, WindowReading> read;
    if (const auto known = read.constFind(window); known != read.constEnd())
        return *known;
    WindowReading reading = ReadDeclared(window);
    QObject::connect(window, &QObject::destroyed, [window] { read.remove(window); });
    return *read.insert(window, std::move(reading));
}
