#pragma once

#include <QByteArray>
#include <QSize>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QRectF;
class QString;
class QWidget;

// Printing (Qt Print Support) and the schematics' vector sources (Qt SVG) live in a library of their own,
// loaded at the first report that needs either, so that start-up loads neither. These are its entry points.
extern "C" {
// A4 pages named documentName in the printer's queue: after the print dialog, or in the print preview as
// often as it asks, print draws them on the device.
using PrintPagesFunction = void(QWidget *parent, const QString &documentName, bool preview,
                                const std::function<void(QPagedPaintDevice *)> &print);
// The drawing's size in pixels at 96 per inch; invalid when the bytes are no SVG drawing.
using SvgSizeFunction = QSize(const QByteArray &svg);
// Draws the drawing into the bounds.
using RenderSvgFunction = void(const QByteArray &svg, QPainter *painter, const QRectF &bounds);
}

struct PrintLibrary
{
    PrintPagesFunction *printPages = nullptr;
    SvgSizeFunction *svgSize = nullptr;
    RenderSvgFunction *renderSvg = nullptr;
};

// Loaded at the first call; every entry point null when the library is not there.
const PrintLibrary &Printing();
