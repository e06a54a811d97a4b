#include "report/pdf_drawing.h"

#include "report/pdf_file.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>

#include <cmath>

namespace {

QByteArray Point(const QPointF &point)
{
    return PdfNumber(point.x()) + ' ' + PdfNumber(point.y());
}

QByteArray Colour(const QColor &colour)
{
    return PdfNumber(colour.redF()) + ' ' + PdfNumber(colour.greenF()) + ' ' + PdfNumber(colour.blueF());
}

// The path's segments; a subpath that ends where it began is closed, so that its stroke joins there.
QByteArray PathOperators(const QPainterPath &path)
{
    QByteArray ops;
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            start = element;
            ops += Point(element) + " m\n";
            break;
        case QPainterPath::LineToElement:
            ops += Point(element) + " l\n";
            break;
        case QPainterPath::CurveToElement:
            ops += Point(element) + ' ' + Point(path.elementAt(i + 1)) + ' ' + Point(path.elementAt(i + 2)) + " c\n";
            i += 2;
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
        const bool subpathEnds = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        if (subpathEnds && element.type != QPainterPath::MoveToElement && QPointF(path.elementAt(i)) == start)
            ops += "h\n";
    }
    return ops;
}

} // namespace

class PdfDrawing::Engine : public QPaintEngine
{
public:
    Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode)
            path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        Draw(path, mode != PolylineMode);
    }

    void drawPath(const QPainterPath &path) override { Draw(path, true); }

    QByteArray content;
    std::map<QByteArray, QByteArray> states;

private:
    void Draw(const QPainterPath &path, bool fillable)
    {
        const QPainter *painter = this->painter();
        const QPen &pen = painter->pen();
        const QBrush &brush = painter->brush();
        const bool fill = fillable && brush.style() != Qt::NoBrush;
        const bool stroke = pen.style() != Qt::NoPen && pen.brush().style() != Qt::NoBrush;
        if ((!fill && !stroke) || path.isEmpty())
            return;
        const QTransform &t = painter->transform();
        content += "q\n" + PdfNumber(t.m11()) + ' ' + PdfNumber(t.m12()) + ' ' + PdfNumber(t.m21()) + ' '
            + PdfNumber(t.m22()) + ' ' + PdfNumber(t.dx()) + ' ' + PdfNumber(t.dy()) + " cm\n";
        const qreal opacity = painter->opacity();
        const QColor fillColour = FirstColour(brush), strokeColour = FirstColour(pen.brush());
        const qreal fillAlpha = fill ? fillColour.alphaF() * opacity : 1;
        const qreal strokeAlpha = stroke ? strokeColour.alphaF() * opacity : 1;
        if (fillAlpha < 1 || strokeAlpha < 1) {
            const QByteArray name = "/Alpha" + QByteArray::number(qRound(fillAlpha * 1000)) + '_'
                + QByteArray::number(qRound(strokeAlpha * 1000));
            states[name] = "<< /ca " + PdfNumber(fillAlpha) + " /CA " + PdfNumber(strokeAlpha) + " >>";
            content += name + " gs\n";
        }
        if (fill)
            content += Colour(fillColour) + " rg\n";
        if (stroke) {
            // A cosmetic pen is as wide on paper as a thin pen; its width counts in the page's points.
            content += Colour(strokeColour) + " RG\n" + PdfNumber(pen.widthF() > 0 ? pen.widthF() : 0.5) + " w\n";
            // PDF's caps: butt, round, projecting square; joins: miter, round, bevel.
            content += QByteArray(1,
                                  pen.capStyle() == Qt::SquareCap      ? '2'
                                      : pen.capStyle() == Qt::RoundCap ? '1'
                                                                       : '0')
                + " J\n";
            content += QByteArray(1,
                                  pen.joinStyle() == Qt::RoundJoin       ? '1'
                                      : pen.joinStyle() == Qt::BevelJoin ? '2'
                                                                         : '0')
                + " j\n";
            if (pen.joinStyle() == Qt::MiterJoin || pen.joinStyle() == Qt::SvgMiterJoin)
                content += PdfNumber(pen.miterLimit()) + " M\n";
            if (pen.style() != Qt::SolidLine) {
                QByteArray dashes;
                for (const qreal dash : pen.dashPattern())
                    dashes += PdfNumber(dash * std::max<qreal>(pen.widthF(), 1)) + ' ';
                content += '[' + dashes.trimmed() + "] " + PdfNumber(pen.dashOffset()) + " d\n";
            }
        }
        content += PathOperators(path);
        const bool evenOdd = path.fillRule() == Qt::OddEvenFill;
        content += fill && stroke ? (evenOdd ? "B*\n" : "B\n") : fill ? (evenOdd ? "f*\n" : "f\n") : "S\n";
        content += "Q\n";
    }

    static QColor FirstColour(const QBrush &brush)
    {
        if (const QGradient *gradient = brush.gradient(); gradient && !gradient->stops().isEmpty())
            return gradient->stops().front().second;
        return brush.color();
    }
};

class PdfDrawing::PaintDevice : public QPaintDevice
{
public:
    PaintDevice(Engine *engine, const QSizeF &size) : engine_(engine), size_(size) {}
    QPaintEngine *paintEngine() const override { return engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        constexpr int kDpi = 96; // the drawing's units are the screen's pixels, as an SVG's
        switch (metric) {
        case PdmWidth:
            return qCeil(size_.width());
        case PdmHeight:
            return qCeil(size_.height());
        case PdmWidthMM:
            return qRound(size_.width() * 25.4 / kDpi);
        case PdmHeightMM:
            return qRound(size_.height() * 25.4 / kDpi);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    Engine *engine_;
    QSizeF size_;
};

PdfDrawing::PdfDrawing(const QSizeF &size)
    : engine_(std::make_unique<Engine>()), device_(std::make_unique<PaintDevice>(engine_.get(), size))
{}

PdfDrawing::~PdfDrawing() = default;

QPaintDevice *PdfDrawing::Device()
{
    return device_.get();
}

const QByteArray &PdfDrawing::Content() const
{
    return engine_->content;
}

const std::map<QByteArray, QByteArray> &PdfDrawing::GraphicsStates() const
{
    return engine_->states;
}
