// Saving and opening the largest calculation (the emitter-coupled trigger with its load window), each
// against a plain QJsonDocument round trip of the same bytes through the same file, printed with ratios.
#include "app/application.h"
#include "app/forms.h"
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form6.h"
#include "documents/calculation_document.h"
#include "window_look/control_kinds.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The median of many runs, in milliseconds.
double MedianMilliseconds(const std::function<void()> &action, int runs = 200)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

// Every box typed and every result written, as after a full run.
void FillEveryControl()
{
    for (TCalculatorWindow *window : std::initializer_list<TCalculatorWindow *>{Form5, Form6}) {
        for (QLineEdit *edit : window->findChildren<QLineEdit *>())
            edit->setText(QStringLiteral("12345,6789"));
        CalculationModel model;
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->property("kind").toString() == QLatin1String("result"))
                model.results[label->objectName()] = {QStringLiteral("2057,14285714286...4114,28571428571 Ом"), {}, {}};
        }
        window->SetModel(model);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetUpApplication(&application);
    CreateForms();
    TCalculationDocument *document = TCalculationDocument::Of(Form5);
    FillEveryControl();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.ortix"));
    const QString peerPath = folder.filePath(QStringLiteral("peer.json"));

    const double save = MedianMilliseconds([&] { (void)document->SaveTo(path); });
    Outcome<> opened;
    const double open = MedianMilliseconds([&] { opened = OpenCalculation(path); });
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    const QJsonDocument json = QJsonDocument::fromJson(saved.readAll());
    const double peerSave = MedianMilliseconds([&] {
        QFile file(peerPath);
        file.open(QIODevice::WriteOnly);
        file.write(json.toJson());
    });
    const double peerOpen = MedianMilliseconds([&] {
        QFile file(peerPath);
        file.open(QIODevice::ReadOnly);
        QJsonDocument::fromJson(file.readAll());
    });
    std::printf("%-8s %12s %16s %8s   (%lld bytes)\n", "", "Ortix-T ms", "QJsonDocument ms", "ratio",
                static_cast<long long>(saved.size()));
    std::printf("%-8s %12.3f %16.3f %8.2f\n", "save", save, peerSave, save / peerSave);
    std::printf("%-8s %12.3f %16.3f %8.2f\n", "open", open, peerOpen, open / peerOpen);
    if (!opened)
        std::printf("open failed: %s\n", qPrintable(opened.Message()));
    DestroyForms();
    return 0;
}
