// The waveform chart: Qt Charts, in a library loaded at the first simulation.
#include "simulation/waveform_chart.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Wheel zooms about the chart's centre; dragging a rectangle zooms into it.
class WaveformView : public QChartView
{
public:
    explicit WaveformView(QChart *chart, QWidget *parent) : QChartView(chart, parent)
    {
        setRubberBand(QChartView::RectangleRubberBand);
        setRenderHint(QPainter::Antialiasing);
        setObjectName(QStringLiteral("WaveformChart"));
    }

protected:
    void wheelEvent(QWheelEvent *event) override
    {
        chart()->zoom(event->angleDelta().y() > 0 ? 1.25 : 0.8);
        event->accept();
    }
};

} // namespace

extern "C" Q_DECL_EXPORT QWidget *CreateWaveformChart(const WaveformPlot *plot, QWidget *parent)
{
    auto *chart = new QChart;
    // The axes' numbers with the program's decimal mark.
    chart->setLocale(plot->decimalMark == ',' ? QLocale(QLocale::Russian) : QLocale::c());
    chart->setLocalizeNumbers(true);
    auto *time = new QValueAxis;
    time->setTitleText(QStringLiteral("t, %1").arg(plot->timeUnit));
    auto *volts = new QValueAxis;
    volts->setTitleText(QStringLiteral("u, В"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(volts, Qt::AlignLeft);
    // The axes span every waveform, not only the first one attached.
    double first = 0, last = 0, lowest = 0, highest = 0;
    bool any = false;
    for (const WaveformSeries &waveform : plot->series) {
        for (std::size_t k = 0; k < waveform.time.size() && k < waveform.volts.size(); ++k) {
            first = any ? std::min(first, waveform.time[k]) : waveform.time[k];
            last = any ? std::max(last, waveform.time[k]) : waveform.time[k];
            lowest = any ? std::min(lowest, waveform.volts[k]) : waveform.volts[k];
            highest = any ? std::max(highest, waveform.volts[k]) : waveform.volts[k];
            any = true;
        }
    }
    for (const WaveformSeries &waveform : plot->series) {
        auto *series = new QLineSeries;
        series->setName(waveform.title);
        QList<QPointF> points;
        points.reserve(qsizetype(waveform.time.size()));
        for (std::size_t k = 0; k < waveform.time.size() && k < waveform.volts.size(); ++k)
            points.append({waveform.time[k], waveform.volts[k]});
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(volts);
    }
    const double margin = std::max(0.05 * (highest - lowest), 0.1);
    time->setRange(first, last);
    volts->setRange(lowest - margin, highest + margin);
    volts->applyNiceNumbers();
    return new WaveformView(chart, parent);
}

extern "C" Q_DECL_EXPORT void ResetWaveformZoom(QWidget *chart)
{
    static_cast<QChartView *>(chart)->chart()->zoomReset();
}

extern "C" Q_DECL_EXPORT bool WaveformChartImage(QWidget *chart, bool svg, QByteArray *image)
{
    QBuffer buffer(image);
    buffer.open(QIODevice::WriteOnly);
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(chart->size());
        generator.setViewBox(chart->rect());
        generator.setTitle(QStringLiteral("Ortix-T"));
        QPainter painter;
        if (!painter.begin(&generator))
            return false;
        chart->render(&painter);
        return painter.end();
    }
    return chart->grab().save(&buffer, "PNG");
}
