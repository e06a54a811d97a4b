// Each calculator's coherent design, as its netlist, run in-process through ngspice's shared library and by
// the `ngspice` command line, side by side: the median wall time of each and their ratio.
#include "simulation/ngspice_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <class Run>
double MedianMilliseconds(int warmup, int runs, const Run &run)
{
    std::vector<double> samples;
    for (int i = 0; i < warmup + runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        if (i >= warmup)
            samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(samples);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QDir designs(QStringLiteral(ORTIX_DESIGNS_DIR));
    std::printf("%-10s %14s %14s %8s\n", "design", "in-process ms", "ngspice -b ms", "ratio");
    int slower = 0;
    for (const QString &name : designs.entryList({QStringLiteral("*.cir")}, QDir::Files, QDir::Name)) {
        const QString path = designs.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QString netlist = QString::fromUtf8(file.readAll());
        QStringList measures;
        static const QRegularExpression measure(QStringLiteral("^\\.meas tran (\\w+)"),
                                                QRegularExpression::MultilineOption);
        for (auto match = measure.globalMatch(netlist); match.hasNext();)
            measures << match.next().captured(1);
        bool failed = false;
        const double inProcess =
            MedianMilliseconds(2, runs, [&] { failed |= !RunSimulation(netlist, measures, {}).end; });
        const double commandLine = MedianMilliseconds(2, runs, [&] {
            QProcess ngspice;
            ngspice.start(QStringLiteral("ngspice"), {QStringLiteral("-b"), path});
            failed |= !ngspice.waitForFinished(-1) || ngspice.exitCode() != 0;
        });
        const double ratio = inProcess / commandLine;
        slower += ratio > 1.1;
        std::printf("%-10s %14.2f %14.2f %8.3f%s\n", qPrintable(name), inProcess, commandLine, ratio,
                    failed ? "  (a run failed)" : "");
    }
    std::printf("in-process no slower than 1.1 times the command line: %s\n", slower ? "no" : "yes");
    return 0;
}
