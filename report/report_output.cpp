// The report on paper, in files and on the clipboard.
#include "report/report.h"

#include "files/save_file.h"
#include "report/odt_package.h"
#include "report/report_model.h"
#include "report/print_library.h"
#include "report/schematic.h"
#include "window/fault_report.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextObjectInterface>

#include <memory>

namespace {

constexpr qreal kBodyPoints = 9; // the widest row of a window fits the width of A4 between its margins
constexpr qreal kMarginMillimetres = 15;
constexpr qreal kPageTopGap = 2;      // pixels
constexpr qreal kPageNumberBand = 24; // pixels at the foot of a page that hold its number
constexpr int kLayoutDpi = 96;        // the layout's pixels, as on screen; printing scales them
constexpr int kPictureProperty = QTextFormat::UserProperty;
constexpr int kSvgProperty = QTextFormat::UserProperty + 1;
constexpr int kKeepWithNextProperty = QTextFormat::UserProperty + 2;
constexpr int kSchematicObject = QTextFormat::UserObject;

struct ParagraphLook
{
    qreal points = kBodyPoints;
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    qreal spaceBefore = 0;     // pixels at 96 per inch, as the layout's units
    bool keepWithNext = false; // on the page of the paragraph after it
};

constexpr ParagraphLook kBody{};
constexpr ParagraphLook kHeading{12, true, false, Qt::AlignHCenter, 0, true};
constexpr ParagraphLook kPartTitle{12, true, false, Qt::AlignHCenter, 18, true};
constexpr ParagraphLook kSectionTitle{10, true, false, Qt::AlignLeft, 9, true};
constexpr ParagraphLook kNotDoneLook{kBodyPoints, false, true};
constexpr ParagraphLook kCaption{kBodyPoints, false, true, Qt::AlignHCenter};
constexpr ParagraphLook kFooterLook{8, false, false, Qt::AlignLeft, 18};

// A schematic drawn from its SVG source, in vectors: its lines stay lines at any zoom.
class SchematicObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &format) override
    {
        const QTextImageFormat image = format.toImageFormat();
        return {image.width(), image.height()};
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int, const QTextFormat &format) override
    {
        Printing().renderSvg(format.property(kSvgProperty).toByteArray(), painter, rect);
    }
};

// The report as a document to print or save: a paragraph a line, each in one look with the results in
// bold, so that every line stays whole in the PDF's text and in the ODT's paragraphs.
class ReportDocument
{
public:
    // The schematics drawn in vectors from their SVG sources on paper; as images, which is what a word
    // processor's file keeps.
    // Laid out on pages of the size, in the layout's pixels, when one is given: once, as it is made.
    ReportDocument(const Report &report, PictureData pictures, const QSizeF &page = {}) : pictures_(pictures)
    {
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSizeF(kBodyPoints);
        document_.setDefaultFont(font);
        // A line moved to the next page starts a margin below the page's top, where the page before it
        // draws nothing of it.
        document_.setDocumentMargin(kPageTopGap);
        // Fonts measured at the layout's resolution, whatever the screen's.
        layoutDevice_.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
        layoutDevice_.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));
        document_.documentLayout()->setPaintDevice(&layoutDevice_);
        if (page.isValid())
            document_.setPageSize(page);
        if (pictures == PictureData::Svg)
            document_.documentLayout()->registerHandler(kSchematicObject, new SchematicObject(&document_));
        // Laid out once when whole, not again after every line; nothing to undo.
        document_.setUndoRedoEnabled(false);
        cursor_.beginEditBlock();
        for (const ReportPart &part : report.parts) {
            for (const QString &heading : part.headings)
                Paragraph(heading,
                          &part != &report.parts.front() && &heading == &part.headings.front() ? kPartTitle : kHeading);
            for (const QStringList *lines : {&part.notes, &part.citation}) {
                for (const QString &line : *lines)
                    Paragraph(line, kBody);
            }
            for (const ReportPicture &picture : part.pictures)
                Picture(picture);
            for (const ReportSection &section : part.sections) {
                Paragraph(section.title, kSectionTitle);
                if (!section.done)
                    Paragraph(kNotDone, kNotDoneLook);
                for (const ReportLine &line : section.lines)
                    Line(line);
                if (section.ruledOff)
                    Rule();
            }
        }
        Paragraph(report.footer, kFooterLook);
        cursor_.endEditBlock();
    }

    QTextDocument *get() { return &document_; }

private:
    void StartParagraph(const ParagraphLook &look, const QTextBlockFormat &base = {})
    {
        QTextBlockFormat block = base;
        block.setAlignment(look.alignment);
        block.setTopMargin(look.spaceBefore);
        block.setProperty(kKeepWithNextProperty, look.keepWithNext);
        chars_ = QTextCharFormat();
        chars_.setFontPointSize(look.points);
        chars_.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
        chars_.setFontItalic(look.italic);
        if (empty_) {
            cursor_.setBlockFormat(block);
            cursor_.setBlockCharFormat(chars_);
            empty_ = false;
        } else {
            cursor_.insertBlock(block, chars_);
        }
    }

    void Paragraph(const QString &text, const ParagraphLook &look)
    {
        StartParagraph(look);
        cursor_.insertText(text, chars_);
    }

    void Line(const ReportLine &line)
    {
        StartParagraph(kBody);
        cursor_.insertText(line.lead, chars_);
        for (const ReportRun &run : line.runs) {
            if (&run != &line.runs.front() || !line.lead.isEmpty())
                cursor_.insertText(QStringLiteral(" "), chars_);
            QTextCharFormat look = chars_;
            look.setFontWeight(run.result ? QFont::Bold : QFont::Normal);
            cursor_.insertText(run.text, look);
        }
    }

    // A decorative rule of the window: a line across the page between its sections.
    void Rule()
    {
        QTextBlockFormat rule;
        rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                         QTextLength(QTextLength::PercentageLength, 100));
        StartParagraph({kBodyPoints, false, false, Qt::AlignLeft, 9}, rule);
    }

    void Picture(const ReportPicture &picture)
    {
        // Sizes in pixels at 96 per inch: the picture prints at its size on screen.
        const QSize size = SchematicSize(picture.label);
        // Vectors where the library that draws them is there; the picture otherwise.
        const QByteArray svg =
            pictures_ == PictureData::Svg && Printing().renderSvg ? SchematicSvg(picture.label) : QByteArray();
        QTextImageFormat image;
        image.setWidth(size.width());
        image.setHeight(size.height());
        if (svg.isEmpty()) {
            const QString name = QStringLiteral("picture:") + picture.label->window()->objectName() + QLatin1Char('_')
                + picture.label->objectName();
            document_.addResource(QTextDocument::ImageResource, QUrl(name), SchematicImage(picture.label));
            image.setName(name);
        } else {
            image.setObjectType(kSchematicObject);
            image.setProperty(kSvgProperty, svg);
        }
        QTextBlockFormat block;
        block.setProperty(kPictureProperty, true);
        StartParagraph({kBodyPoints, false, false, Qt::AlignHCenter, 9, true}, block);
        if (svg.isEmpty())
            cursor_.insertImage(image);
        else
            cursor_.insertText(QString(QChar::ObjectReplacementCharacter), image);
        Paragraph(picture.caption, kCaption);
    }

    PictureData pictures_;
    QImage layoutDevice_{1, 1, QImage::Format_RGB32};
    QTextDocument document_;
    QTextCursor cursor_{&document_};
    QTextCharFormat chars_;
    bool empty_ = true;
};

// The pages (from 0) on which a block starts and the block after it ends.
std::pair<int, int> PagesWithNext(const QTextBlock &block, qreal pageHeight)
{
    const QAbstractTextDocumentLayout *layout = block.document()->documentLayout();
    const QRectF extent = layout->blockBoundingRect(block).united(layout->blockBoundingRect(block.next()));
    return {int(extent.top() / pageHeight), int(extent.bottom() / pageHeight)};
}

// Lays the document out on pages of the size, in the layout's pixels. The layout moves a line of text
// that would cross a page's end to the next page, but not a picture, and it would leave a title at the
// foot of a page and its lines on the next: a paragraph kept with the next that would cross a page's end
// with it starts the next page itself.
void Paginate(QTextDocument *document, const QSizeF &page)
{
    if (document->pageSize() != page)
        document->setPageSize(page);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().boolProperty(kKeepWithNextProperty))
            continue;
        if (const auto [top, bottom] = PagesWithNext(block, page.height()); top != bottom) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            // Laid out again whole: the layout's own redo after a change can leave the paragraphs after it unlaid.
            document->setPageSize(page);
        }
    }
}

constexpr QMarginsF kMargins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);

// The page's text: what lies between its margins, above its number; in the layout's pixels.
QSizeF PageOfText(const QPageLayout &paper)
{
    return QSizeF(paper.paintRectPixels(kLayoutDpi).size()) - QSizeF(0, kPageNumberBand);
}

// Prints the reports on the device's pages (A4 unless the printer says otherwise), each from a new page and
// with «стр. N из M» of its own at their foot: a line is never cut by a page's end, a picture never split.
void PrintOn(const QList<Report> &reports, QPagedPaintDevice *device)
{
    device->setPageMargins(kMargins, QPageLayout::Millimeter);
    const QSizeF page = PageOfText(device->pageLayout());
    QPainter painter(device);
    if (!painter.isActive())
        return;
    const QTransform toDevice =
        QTransform::fromScale(qreal(device->logicalDpiX()) / kLayoutDpi, qreal(device->logicalDpiY()) / kLayoutDpi);
    QFont numberFont(QStringLiteral("Tahoma"));
    numberFont.setPointSizeF(8);
    for (const Report &report : reports) {
        ReportDocument document(report, PictureData::Svg, page);
        QTextDocument *laidOut = document.get();
        Paginate(laidOut, page);
        const int pages = laidOut->pageCount();
        for (int index = 0; index < pages; ++index) {
            if (index > 0 || &report != &reports.front())
                device->newPage();
            const QRectF view(QPointF(0, index * page.height()), page);
            painter.setTransform(QTransform::fromTranslate(0, -view.top()) * toDevice);
            painter.setClipRect(view);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            laidOut->documentLayout()->draw(&painter, context);
            painter.setClipping(false);
            painter.resetTransform();
            painter.setFont(numberFont);
            const QRectF band = toDevice.mapRect(QRectF(0, page.height(), page.width(), kPageNumberBand));
            painter.drawText(band, Qt::AlignHCenter | Qt::AlignBottom,
                             QStringLiteral("стр. %1 из %2").arg(index + 1).arg(pages));
        }
    }
}

QByteArray PdfOf(const Report &report)
{
    return ReportsPdf({report}, report.title);
}

QByteArray OdtOf(const Report &report)
{
    ReportDocument document(report, PictureData::Png);
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

QByteArray ReportsPdf(const QList<Report> &reports, const QString &title)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(kPrintDpi);
        writer.setTitle(title);
        if (!reports.isEmpty())
            writer.setCreator(reports.front().footer.section(QLatin1Char(','), 0, 0));
        PrintOn(reports, &writer);
    }
    return pdf.data();
}

QList<std::pair<int, int>> PicturePages(const Report &report)
{
    const QSizeF page = PageOfText(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMargins));
    ReportDocument document(report, PictureData::Svg, page);
    QTextDocument *laidOut = document.get();
    Paginate(laidOut, page);
    QList<std::pair<int, int>> pages;
    for (QTextBlock block = laidOut->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().boolProperty(kPictureProperty))
            pages << PagesWithNext(block, page.height());
    }
    return pages;
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

#include "report_output.moc"
