#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class QWidget;

// The waveforms as the chart plots them: times already in the chart's unit, volts.
struct WaveformSeries
{
    QString title;
    std::vector<double> time, volts;
};

struct WaveformPlot
{
    QString timeUnit;
    std::vector<WaveformSeries> series;
    char decimalMark = '.'; // of the axes' numbers
};

// The chart lives in a library of its own, with Qt Charts, loaded at the first simulation so that start-up
// never loads Qt Charts. These are its entry points.
extern "C" {
using CreateWaveformChartFunction = QWidget *(const WaveformPlot *plot, QWidget *parent);
using ResetWaveformZoomFunction = void(QWidget *chart);
// The chart as an SVG drawing or a PNG picture, in *image; false when it cannot be drawn.
using WaveformChartImageFunction = bool(QWidget *chart, bool svg, QByteArray *image);
}
