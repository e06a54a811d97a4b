// The report on paper, in files and on the clipboard.
#include "report/report.h"

#include "files/save_file.h"
#include "report/odt_package.h"
#include "report/report_model.h"
#include "report/print_library.h"
#include "report/report_fonts.h"
#include "report/report_pages.h"
#include "report/schematic.h"
#include "window/fault_report.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace {

constexpr int kLayoutDpi = 96; // the layout's pixels, as on screen
constexpr qreal kPixelsPerPoint = kLayoutDpi / 72.0;

// The report as a word processor's document, from the blocks the pages are made of: a paragraph a line, each in
// one look with the results in bold, so that every line stays whole in the ODT's paragraphs; the schematics as
// pictures, which it keeps.
class ReportDocument
{
public:
    explicit ReportDocument(const Report &report)
    {
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSizeF(ReportLook().points);
        document_.setDefaultFont(font);
        // Fonts measured at the layout's resolution, whatever the screen's.
        layoutDevice_.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
        layoutDevice_.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));
        document_.documentLayout()->setPaintDevice(&layoutDevice_);
        // Laid out once when whole, not again after every line; nothing to undo.
        document_.setUndoRedoEnabled(false);
        cursor_.beginEditBlock();
        for (const ReportBlock &block : ReportBlocks(report)) {
            QTextBlockFormat format;
            if (block.rule)
                format.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                                   QTextLength(QTextLength::PercentageLength, 100));
            format.setAlignment(block.look.centred ? Qt::AlignHCenter : Qt::AlignLeft);
            format.setTopMargin(block.look.spaceBefore * kPixelsPerPoint);
            QTextCharFormat chars;
            chars.setFontPointSize(block.look.points);
            chars.setFontWeight(block.look.bold ? QFont::Bold : QFont::Normal);
            chars.setFontItalic(block.look.italic);
            if (std::exchange(empty_, false)) {
                cursor_.setBlockFormat(format);
                cursor_.setBlockCharFormat(chars);
            } else {
                cursor_.insertBlock(format, chars);
            }
            if (block.picture)
                Picture(block.picture);
            for (const ReportPiece &piece : block.pieces) {
                QTextCharFormat look = chars;
                if (piece.bold)
                    look.setFontWeight(QFont::Bold);
                cursor_.insertText(piece.text, look);
            }
        }
        cursor_.endEditBlock();
    }

    QTextDocument *get() { return &document_; }

private:
    void Picture(const QLabel *label)
    {
        // Sizes in pixels at 96 per inch: the picture prints at its size on screen.
        const QSize size = SchematicSize(label);
        const QString name =
            QStringLiteral("picture:") + label->window()->objectName() + QLatin1Char('_') + label->objectName();
        document_.addResource(QTextDocument::ImageResource, QUrl(name), SchematicImage(label));
        QTextImageFormat image;
        image.setWidth(size.width());
        image.setHeight(size.height());
        image.setName(name);
        cursor_.insertImage(image);
    }

    QImage layoutDevice_{1, 1, QImage::Format_RGB32};
    QTextDocument document_;
    QTextCursor cursor_{&document_};
    bool empty_ = true;
};

// Prints the reports on the device's paper as the PDF has them on A4, each report from a new page.
void PrintOn(const QList<Report> &reports, QPagedPaintDevice *device)
{
    device->setPageMargins({}, QPageLayout::Point);
    QPainter painter(device);
    if (!painter.isActive())
        return;
    // The pages' points on the device, whose page starts where its printable area does.
    const qreal scale = device->logicalDpiX() / 72.0;
    const QPointF origin = -device->pageLayout().paintRect(QPageLayout::Point).topLeft() * scale;
    const auto onDevice = [&](const QPointF &point) { return origin + point * scale; };
    ReportFonts fonts;
    bool first = true;
    for (const Report &report : reports) {
        for (const ReportPage &page : LayOutReport(report, fonts, device->pageLayout().fullRectPoints().size())) {
            if (!std::exchange(first, false))
                device->newPage();
            for (const PlacedPicture &picture : page.pictures) {
                const QRectF rect(onDevice(picture.rect.topLeft()), picture.rect.size() * scale);
                const QByteArray svg = Printing().renderSvg ? SchematicSvg(picture.label) : QByteArray();
                if (svg.isEmpty())
                    painter.drawImage(rect, SchematicImage(picture.label));
                else
                    Printing().renderSvg(svg, &painter, rect);
            }
            painter.setPen(QPen(Qt::black, 0.75 * scale));
            for (const QLineF &rule : page.rules)
                painter.drawLine(onDevice(rule.p1()), onDevice(rule.p2()));
            for (const PlacedText &text : page.texts) {
                QFont font(QStringLiteral("Tahoma"));
                font.setPointSizeF(text.points);
                font.setBold(text.bold);
                font.setItalic(text.italic);
                painter.setFont(font);
                painter.drawText(onDevice(text.baseline), text.text);
            }
        }
    }
}

constexpr QMarginsF kMargins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);

QByteArray PdfOf(const Report &report)
{
    return ReportsPdf({report}, report.title);
}

QByteArray OdtOf(const Report &report)
{
    ReportDocument document(report);
    QBuffer odt;
    QTextDocumentWriter writer(&odt, "odf");
    return writer.write(document.get()) ? WithPageStyle(odt.data(), kMargins) : QByteArray();
}

QByteArray HtmlOf(const Report &report)
{
    return RenderHtml(report, PictureData::Svg).toUtf8();
}

QByteArray TextOf(const Report &report)
{
    return RenderText(report).toUtf8();
}

struct Format
{
    const char *filter; // the export dialog's
    QStringList suffixes;
    QByteArray (*contents)(const Report &); // empty when it cannot be made
};

const Format kFormats[] = {
    {"Документ PDF (*.pdf)", {QStringLiteral("pdf")}, PdfOf},
    {"Документ OpenDocument (*.odt)", {QStringLiteral("odt")}, OdtOf},
    {"Веб-страница HTML (*.html *.htm)", {QStringLiteral("html"), QStringLiteral("htm")}, HtmlOf},
    {"Текст (*.txt)", {QStringLiteral("txt")}, TextOf},
};

} // namespace

QStringList ReportFormats()
{
    QStringList filters;
    for (const Format &format : kFormats)
        filters << QString::fromUtf8(format.filter);
    return filters;
}

QList<std::pair<int, int>> PicturePages(const Report &report)
{
    ReportFonts fonts;
    const std::vector<ReportPage> pages = LayOutReport(report, fonts);
    QList<std::pair<int, int>> picturePages;
    for (size_t page = 0; page < pages.size(); ++page) {
        for (const PlacedPicture &picture : pages[page].pictures)
            picturePages << std::pair(int(page), picture.captionPage);
    }
    return picturePages;
}

Outcome<> WriteReport(QWidget *window, const QString &path, const ReportFooter &footer)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const Format *format = std::find_if(std::begin(kFormats), std::end(kFormats),
                                        [&](const Format &f) { return f.suffixes.contains(suffix); });
    if (format == std::end(kFormats))
        return Failure{
            QStringLiteral("%1: неизвестный формат отчёта; известны .pdf, .odt, .html, .htm, .txt").arg(path)};
    // Made whole before the file is opened: the PDF and ODT writers close the device they write to.
    const QByteArray contents = format->contents(BuildReport(window, footer));
    if (contents.isEmpty())
        return Failure{QStringLiteral("%1: отчёт не составлен").arg(path)};
    if (const Outcome<> saved = SaveFile(path, contents); !saved)
        return Failure{QStringLiteral("%1: %2").arg(path, saved.Message())};
    return {};
}

namespace {

// A4, named after the calculation in the printer's queue.
void PrintOrPreview(QWidget *window, const ReportFooter &footer, QWidget *parent, bool preview)
{
    if (!Printing().printPages) {
        ShowWarning(parent, QStringLiteral("Печать недоступна: не найдена библиотека печати программы."));
        return;
    }
    const Report report = BuildReport(window, footer);
    Printing().printPages(parent, report.title, preview,
                          [&report](QPagedPaintDevice *device) { PrintOn({report}, device); });
}

} // namespace

void PrintReport(QWidget *window, const ReportFooter &footer, QWidget *parent)
{
    PrintOrPreview(window, footer, parent, false);
}

void PreviewReport(QWidget *window, const ReportFooter &footer, QWidget *parent)
{
    PrintOrPreview(window, footer, parent, true);
}

void CopyReport(QWidget *window, const ReportFooter &footer)
{
    const Report report = BuildReport(window, footer);
    auto *data = new QMimeData;
    data->setText(RenderText(report));
    data->setHtml(RenderHtml(report, PictureData::Png));
    QGuiApplication::clipboard()->setMimeData(data);
}
