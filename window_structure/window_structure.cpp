#include "window_structure/window_structure.h"

#include <QHash>
#include <QWidget>

namespace {

// Each window's table, until the window is gone.
QHash<const QWidget *, const WindowStructure *> &Declared()
{
    static QHash<const QWidget *, const WindowStructure *> declared;
    return declared;
}

} // namespace

void DeclareStructure(QWidget *window, const WindowStructure &structure)
{
    Declared().insert(window, &structure);
    QObject::connect(window, &QObject::destroyed, [window] { Declared().remove(window); });
}

const WindowStructure *DeclaredStructureOf(const QWidget *window)
{
    return Declared().value(window);
}
