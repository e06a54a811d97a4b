// The reports as a PDF written by the program itself: fonts as subsets and each schematic's vectors stored once
// in the file, whichever page and whichever variant's report shows them.
#include "report/pdf_drawing.h"
#include "report/pdf_file.h"
#include "report/print_library.h"
#include "report/report_fonts.h"
#include "report/report_model.h"
#include "report/report_pages.h"
#include "report/schematic.h"

#include <QDateTime>
#include <QImage>
#include <QPainter>

#include <map>
#include <optional>

namespace {

// Qt's synthetic bold thickens a glyph's outline by a 24th of its size, as FreeType does; its oblique leans by
// 0.2126, the third number of an italic text's matrix.
constexpr qreal kBoldStroke = 1.0 / 24;

// A page's texts in one text object, each font, size and look set where it changes.
QByteArray TextOperators(const std::vector<PlacedText> &texts, qreal pageHeight)
{
    QByteArray ops = "BT\n";
    ops.reserve(qsizetype(texts.size()) * 48);
    int font = -1;
    qreal points = 0;
    std::optional<bool> bold;
    for (const PlacedText &text : texts) {
        if (bold != text.bold || (text.bold && points != text.points)) {
            if (text.bold)
                ops.append("2 Tr ").append(PdfNumber(text.points * kBoldStroke)).append(" w\n");
            else
                ops.append("0 Tr\n");
        }
        bold = text.bold;
        qreal x = text.baseline.x();
        for (const ReportFonts::Run &run : text.shaped->runs) {
            if (run.font != font || text.points != points) {
                font = run.font;
                points = text.points;
                ops.append(ReportFonts::ResourceName(font)).append(' ').append(PdfNumber(points)).append(" Tf\n");
            }
            ops.append(text.italic ? "1 0 0.2126 1 " : "1 0 0 1 ");
            AppendPdfNumber(&ops, x);
            ops.append(' ');
            AppendPdfNumber(&ops, pageHeight - text.baseline.y());
            ops.append(" Tm ").append(run.codes).append(" Tj\n");
            x += run.width * text.points;
        }
    }
    return ops.append("ET\n");
}

// The schematics of a file, each written once as an object that every page showing it draws.
class Pictures
{
public:
    explicit Pictures(PdfFile &pdf) : pdf_(pdf) {}

    QByteArray Operators(const PlacedPicture &picture, qreal pageHeight)
    {
        const auto [name, size] = Object(picture.label);
        const QRectF &rect = picture.rect;
        return "q " + PdfNumber(rect.width() / size.width()) + " 0 0 " + PdfNumber(rect.height() / size.height()) + ' '
            + PdfNumber(rect.left()) + ' ' + PdfNumber(pageHeight - rect.bottom()) + " cm " + name + " Do Q\n";
    }

    // The entry of the pages' resources that names them.
    QByteArray Resources() const
    {
        QByteArray entries;
        for (const auto &[label, object] : objects_)
            entries += object.name + ' ' + PdfReference(object.number) + ' ';
        return "/XObject << " + entries + ">>";
    }

private:
    struct Written
    {
        QByteArray name;
        int number = 0;
        QSizeF size; // in its own units: the drawing's pixels, or 1 × 1 for a picture
    };

    std::pair<QByteArray, QSizeF> Object(const QLabel *label)
    {
        auto [known, added] = objects_.try_emplace(label);
        Written &object = known->second;
        if (added) {
            object.name = "/P" + QByteArray::number(qulonglong(objects_.size()));
            object.number = pdf_.NewObject();
            // Vectors where the library that draws them is there; the picture otherwise.
            const QByteArray svg = Printing().renderSvg ? SchematicSvg(label) : QByteArray();
            object.size = svg.isEmpty() ? WriteImage(object.number, label) : WriteDrawing(object.number, svg, label);
        }
        return {object.name, object.size};
    }

    QSizeF WriteDrawing(int number, const QByteArray &svg, const QLabel *label)
    {
        const QSizeF size = SchematicSize(label);
        PdfDrawing drawing(size);
        {
            QPainter painter(drawing.Device());
            Printing().renderSvg(svg, &painter, QRectF(QPointF(), size));
        }
        QByteArray states;
        for (const auto &[name, state] : drawing.GraphicsStates())
            states += name + ' ' + state + ' ';
        pdf_.WriteStream(number,
                         "/Type /XObject /Subtype /Form /BBox [0 0 " + PdfNumber(size.width()) + ' '
                             + PdfNumber(size.height()) + "] /Resources << /ExtGState << " + states + ">> >>",
                         "1 0 0 -1 0 " + PdfNumber(size.height()) + " cm\n" + drawing.Content());
        return size;
    }

    QSizeF WriteImage(int number, const QLabel *label)
    {
        const QImage image = SchematicImage(label).convertToFormat(QImage::Format_RGB888);
        QByteArray pixels;
        pixels.reserve(qsizetype(image.width()) * image.height() * 3);
        for (int row = 0; row < image.height(); ++row)
            pixels.append(reinterpret_cast<const char *>(image.constScanLine(row)), qsizetype(image.width()) * 3);
        pdf_.WriteStream(number,
                         "/Type /XObject /Subtype /Image /Width " + QByteArray::number(image.width()) + " /Height "
                             + QByteArray::number(image.height()) + " /ColorSpace /DeviceRGB /BitsPerComponent 8",
                         pixels);
        return {1, 1};
    }

    PdfFile &pdf_;
    std::map<const QLabel *, Written> objects_;
};

} // namespace

class PdfOfReports::Writer
{
public:
    Writer() : pictures(pdf)
    {
        catalogue = pdf.NewObject();
        pageTree = pdf.NewObject();
        resources = pdf.NewObject();
        information = pdf.NewObject();
    }

    PdfFile pdf;
    ReportFonts fonts;
    Pictures pictures;
    int catalogue = 0, pageTree = 0, resources = 0, information = 0;
    QByteArray kids;
    int pageCount = 0;
    QString creator; // the first report's program
};

PdfOfReports::PdfOfReports() : writer_(std::make_unique<Writer>()) {}

PdfOfReports::~PdfOfReports() = default;

void PdfOfReports::Add(const Report &report)
{
    Writer &w = *writer_;
    if (w.pageCount == 0)
        w.creator = report.footer.section(QLatin1Char(','), 0, 0);
    const qreal height = kA4Points.height();
    for (const ReportPage &page : LayOutReport(report, w.fonts)) {
        QByteArray content;
        for (const PlacedPicture &picture : page.pictures)
            content += w.pictures.Operators(picture, height);
        if (!page.rules.empty()) {
            content += "0.75 w 0 J\n";
            for (const QLineF &rule : page.rules)
                content += PdfNumber(rule.x1()) + ' ' + PdfNumber(height - rule.y1()) + " m " + PdfNumber(rule.x2())
                    + ' ' + PdfNumber(height - rule.y2()) + " l S\n";
        }
        content += TextOperators(page.texts, height);
        const int object = w.pdf.NewObject(), contents = w.pdf.NewObject();
        w.pdf.WriteStream(contents, {}, content);
        w.pdf.Write(object,
                    "<< /Type /Page /Parent " + PdfReference(w.pageTree) + " /MediaBox [0 0 "
                        + PdfNumber(kA4Points.width()) + ' ' + PdfNumber(height) + "] /Resources "
                        + PdfReference(w.resources) + " /Contents " + PdfReference(contents) + " >>");
        w.kids += PdfReference(object) + ' ';
        ++w.pageCount;
    }
}

QByteArray PdfOfReports::Finish(const QString &title)
{
    Writer &w = *writer_;
    w.pdf.Write(w.resources, "<< " + w.fonts.Write(w.pdf) + ' ' + w.pictures.Resources() + " >>");
    w.pdf.Write(w.pageTree, "<< /Type /Pages /Kids [" + w.kids + "] /Count " + QByteArray::number(w.pageCount) + " >>");
    w.pdf.Write(w.catalogue, "<< /Type /Catalog /Pages " + PdfReference(w.pageTree) + " >>");
    w.pdf.Write(w.information,
                "<< /Title " + PdfText(title) + " /Creator " + PdfText(w.creator) + " /Producer " + PdfText(w.creator)
                    + " /CreationDate (D:"
                    + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z) >>");
    return w.pdf.Finish(w.catalogue, w.information);
}

QByteArray ReportsPdf(const QList<Report> &reports, const QString &title)
{
    PdfOfReports pdf;
    for (const Report &report : reports)
        pdf.Add(report);
    return pdf.Finish(title);
}
