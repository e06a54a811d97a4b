// The report's library loaded at first use: printing, and the schematics drawn from their vector sources.
#include "report/print_library.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <mutex>

extern "C" Q_DECL_EXPORT void PrintPages(QWidget *parent, const QString &documentName, bool preview,
                                         const std::function<void(QPagedPaintDevice *)> &print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(documentName);
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&print](QPrinter *target) { print(target); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        print(&printer);
}

namespace {

// The schematics are a few drawings, each read once: a report draws them again for every variant of a batch.
std::mutex gRenderersMutex;

template <class Use>
auto WithRenderer(const QByteArray &svg, Use use)
{
    static std::map<QByteArray, std::unique_ptr<QSvgRenderer>> renderers;
    const std::lock_guard lock(gRenderersMutex);
    std::unique_ptr<QSvgRenderer> &renderer = renderers[svg];
    if (!renderer)
        renderer = std::make_unique<QSvgRenderer>(svg);
    return use(*renderer);
}

} // namespace

extern "C" Q_DECL_EXPORT QSize SvgSize(const QByteArray &svg)
{
    return WithRenderer(
        svg, [](const QSvgRenderer &renderer) { return renderer.isValid() ? renderer.defaultSize() : QSize(); });
}

extern "C" Q_DECL_EXPORT void RenderSvg(const QByteArray &svg, QPainter *painter, const QRectF &bounds)
{
    WithRenderer(svg, [&](QSvgRenderer &renderer) { renderer.render(painter, bounds); });
}
