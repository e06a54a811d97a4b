#pragma once

#include <QByteArray>
#include <QSizeF>

#include <map>
#include <memory>

class QPaintDevice;

// What a painter draws, as the operators of a PDF content stream in the painter's own coordinates (y down, as
// Qt's: the content that draws it flips them). Lines stay lines: each shape keeps its transformation, so that
// a stroke is a stroke at any scale. Text comes as its outlines, a gradient as its first colour; pictures, which
// no schematic holds, are left out.
class PdfDrawing
{
public:
    explicit PdfDrawing(const QSizeF &size);
    ~PdfDrawing();
    PdfDrawing(const PdfDrawing &) = delete;
    PdfDrawing &operator=(const PdfDrawing &) = delete;

    QPaintDevice *Device();
    const QByteArray &Content() const;
    // The graphics states the content names, by name: "/Alpha50" → "<< /ca 0.5 /CA 0.5 >>".
    const std::map<QByteArray, QByteArray> &GraphicsStates() const;

private:
    class Engine;
    class PaintDevice;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<PaintDevice> device_;
};
