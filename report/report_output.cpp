// The report on paper, in files and on the clipboard.
#include "report/report.h"

#include "files/save_file.h"
#include "report/report_model.h"
#include "report/schematic.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <memory>

namespace {

constexpr qreal kBodyPoints = 9; // the widest row of a window fits the width of A4 between its margins
constexpr qreal kMarginMillimetres = 15;
constexpr qreal kPageTopGap = 2; // pixels
constexpr int kPictureProperty = QTextFormat::UserProperty;

struct ParagraphLook
{
    qreal points = kBodyPoints;
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    qreal spaceBefore = 0; // pixels at 96 per inch, as the layout's units
};

constexpr ParagraphLook kBody{};
constexpr ParagraphLook kHeading{12, true, false, Qt::AlignHCenter};
constexpr ParagraphLook kPartTitle{12, true, false, Qt::AlignHCenter, 18};
constexpr ParagraphLook kSectionTitle{10, true, false, Qt::AlignLeft, 9};
constexpr ParagraphLook kNotDoneLook{kBodyPoints, false, true};
constexpr ParagraphLook kCaption{kBodyPoints, false, true, Qt::AlignHCenter};
constexpr ParagraphLook kFooterLook{8, false, false, Qt::AlignLeft, 18};

// The report as a document to print or save: a paragraph a line, each in one look, so that every line
// stays whole in the PDF's text and in the ODT's paragraphs.
class ReportDocument
{
public:
    explicit ReportDocument(const Report &report)
    {
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSizeF(kBodyPoints);
        document_.setDefaultFont(font);
        // A line moved to the next page starts a margin below the page's top, where the page before it
        // draws nothing of it.
        document_.setDocumentMargin(kPageTopGap);
        for (const ReportPart &part : report.parts) {
            if (&part != &report.parts.front())
                Paragraph(part.title, kPartTitle);
            for (const QString &heading : part.headings)
                Paragraph(heading, kHeading);
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
                    Paragraph(line.Text(), kBody);
            }
        }
        Paragraph(report.footer, kFooterLook);
    }

    QTextDocument *get() { return &document_; }

private:
    void StartParagraph(const ParagraphLook &look)
    {
        QTextBlockFormat block;
        block.setAlignment(look.alignment);
        block.setTopMargin(look.spaceBefore);
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

    void Picture(const ReportPicture &picture)
    {
        const QString name = QStringLiteral("picture:") + picture.label->window()->objectName() + QLatin1Char('_')
            + picture.label->objectName();
        document_.addResource(QTextDocument::ImageResource, QUrl(name), SchematicImage(picture.label));
        // Sizes in pixels at 96 per inch: the picture prints at its size on screen.
        const QSize size = SchematicSize(picture.label);
        QTextImageFormat image;
        image.setName(name);
        image.setWidth(size.width());
        image.setHeight(size.height());
        StartParagraph({kBodyPoints, false, false, Qt::AlignHCenter, 9});
        QTextBlockFormat block = cursor_.blockFormat();
        block.setProperty(kPictureProperty, true);
        cursor_.setBlockFormat(block);
        cursor_.insertImage(image);
        Paragraph(picture.caption, kCaption);
    }

    QTextDocument document_;
    QTextCursor cursor_{&document_};
    QTextCharFormat chars_;
    bool empty_ = true;
};

// Lays the report out on the device's pages (A4 unless the printer says otherwise): a line is never cut
// by a page's end.
void PrintOn(const Report &report, QPagedPaintDevice *device)
{
    const qreal margin = kMarginMillimetres;
    device->setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    ReportDocument document(report);
    // Laid out in pixels at 96 per inch, as on screen; printing scales it to the device.
    constexpr int kLayoutDpi = 96;
    QTextDocument *laidOut = document.get();
    laidOut->setPageSize(device->pageLayout().paintRectPixels(kLayoutDpi).size());
    // The layout moves a line of text that would cross a page's end to the next page, but not a picture:
    // a picture with its caption that would starts the next page itself.
    const qreal pageHeight = laidOut->pageSize().height();
    for (QTextBlock block = laidOut->begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().boolProperty(kPictureProperty))
            continue;
        const QAbstractTextDocumentLayout *layout = laidOut->documentLayout();
        const QRectF extent = layout->blockBoundingRect(block).united(layout->blockBoundingRect(block.next()));
        if (int(extent.top() / pageHeight) != int(extent.bottom() / pageHeight)) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
    }
    laidOut->print(device);
}

QByteArray PdfOf(const Report &report)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(kPrintDpi);
        writer.setTitle(report.parts.front().title);
        writer.setCreator(report.footer.section(QLatin1Char(','), 0, 0));
        PrintOn(report, &writer);
    }
    return pdf.data();
}

QByteArray OdtOf(const Report &report)
{
    ReportDocument document(report);
    QBuffer odt;
    QTextDocumentWriter writer(&odt, "odf");
    return writer.write(document.get()) ? odt.data() : QByteArray();
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

bool WriteReport(QWidget *window, const QString &path, const ReportFooter &footer, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QString suffix = QFileInfo(path).suffix().toLower();
    const Format *format = std::find_if(std::begin(kFormats), std::end(kFormats),
                                        [&](const Format &f) { return f.suffixes.contains(suffix); });
    if (format == std::end(kFormats))
        return fail(QStringLiteral("%1: неизвестный формат отчёта; известны .pdf, .odt, .html, .htm, .txt").arg(path));
    // Made whole before the file is opened: the PDF and ODT writers close the device they write to.
    const QByteArray contents = format->contents(BuildReport(window, footer));
    if (contents.isEmpty())
        return fail(QStringLiteral("%1: отчёт не составлен").arg(path));
    QString cause;
    return SaveFile(path, contents, &cause) || fail(QStringLiteral("%1: %2").arg(path, cause));
}

namespace {

// A4, named after the report's first heading in the printer's queue.
void SetUpPrinter(QPrinter *printer, const Report &report)
{
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setDocName(report.parts.front().title);
}

} // namespace

void PrintReport(QWidget *window, const ReportFooter &footer, QWidget *parent)
{
    const Report report = BuildReport(window, footer);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(&printer, report);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        PrintOn(report, &printer);
}

void PreviewReport(QWidget *window, const ReportFooter &footer, QWidget *parent)
{
    const Report report = BuildReport(window, footer);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(&printer, report);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter *target) { PrintOn(report, target); });
    preview.exec();
}

void CopyReport(QWidget *window, const ReportFooter &footer)
{
    const Report report = BuildReport(window, footer);
    auto *data = new QMimeData;
    data->setText(RenderText(report));
    data->setHtml(RenderHtml(report, PictureData::Png));
    QGuiApplication::clipboard()->setMimeData(data);
}
