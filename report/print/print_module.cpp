// The report's library loaded at first use: printing, and the schematics drawn from their vector sources.
#include "report/print_library.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgRenderer>

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

extern "C" Q_DECL_EXPORT QSize SvgSize(const QByteArray &svg)
{
    const QSvgRenderer renderer(svg);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

extern "C" Q_DECL_EXPORT void RenderSvg(const QByteArray &svg, QPainter *painter, const QRectF &bounds)
{
    QSvgRenderer(svg).render(painter, bounds);
}
