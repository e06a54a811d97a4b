#include "report/report_fonts.h"

#include "report/pdf_file.h"
#include "report/pdf_font_data.h"

#include <QFont>
#include <QtEndian>

namespace {

// The font's own name, as a subset's name carries it after its tag: "WineTahoma".
QByteArray PostScriptName(const QRawFont &font)
{
    QByteArray name;
    for (const QChar c : font.familyName() + font.styleName())
        if (c.isLetterOrNumber() && c.unicode() < 128)
            name += char(c.unicode());
    return name.isEmpty() ? QByteArrayLiteral("Font") : name;
}

// Each character of the text, a surrogate pair as one.
template <class Use>
void ForEachCharacter(const QString &text, Use use)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            use(QChar::surrogateToUcs4(text[i], text[i + 1]));
            ++i;
        } else {
            use(char32_t(text[i].unicode()));
        }
    }
}

qint16 Signed16(const QByteArray &table, int offset)
{
    return offset + 2 <= table.size() ? qFromBigEndian<qint16>(table.constData() + offset) : 0;
}

} // namespace

ReportFonts::ReportFonts()
{
    for (const char *family : {"Tahoma", "DejaVu Sans"}) {
        QFont font(QString::fromLatin1(family));
        font.setStyleStrategy(QFont::NoFontMerging);
        // Paper takes the design's advances: nothing is fitted to a pixel grid, which costs a font's
        // instructions run for every glyph.
        font.setHintingPreference(QFont::PreferNoHinting);
        QRawFont raw = QRawFont::fromFont(font);
        if (!raw.isValid())
            continue;
        raw.setPixelSize(raw.unitsPerEm());
        fonts_.push_back({raw, {0}, {}});
    }
    if (!fonts_.empty()) {
        const QRawFont &first = fonts_.front().raw;
        ascent_ = first.ascent() / first.unitsPerEm();
        descent_ = first.descent() / first.unitsPerEm();
    }
}

const ReportFonts::Glyph &ReportFonts::GlyphOf(char32_t character)
{
    if (const auto known = glyphs_.constFind(character); known != glyphs_.constEnd())
        return *known;
    Glyph glyph;
    const QString text = QString::fromUcs4(&character, 1);
    for (size_t i = 0; i < fonts_.size(); ++i) {
        const QList<quint32> indexes = fonts_[i].raw.glyphIndexesForString(text);
        if (indexes.size() == 1 && indexes.front() != 0) {
            glyph.font = int(i);
            glyph.index = indexes.front();
            break;
        }
    }
    if (!fonts_.empty()) {
        const QRawFont &raw = fonts_[size_t(glyph.font)].raw;
        const QList<QPointF> advances = raw.advancesForGlyphIndexes({glyph.index}, QRawFont::UseDesignMetrics);
        glyph.advance = advances.value(0).x() / raw.unitsPerEm();
    }
    return *glyphs_.insert(character, glyph);
}

const ReportFonts::Shaped &ReportFonts::Shape(const QString &text)
{
    if (const auto known = shaped_.find(text); known != shaped_.end())
        return known->second;
    Shaped shaped;
    ForEachCharacter(text, [&](char32_t character) {
        const Glyph &glyph = GlyphOf(character);
        if (shaped.runs.empty() || shaped.runs.back().font != glyph.font)
            shaped.runs.push_back({glyph.font, {}, 0});
        Run &run = shaped.runs.back();
        const quint16 code = quint16(glyph.index);
        run.codes += char(code >> 8);
        run.codes += char(code & 0xFF);
        run.width += glyph.advance;
        shaped.width += glyph.advance;
        if (!fonts_.empty()) {
            Font &font = fonts_[size_t(glyph.font)];
            if (font.used.insert(glyph.index).second)
                font.text[glyph.index] = QString::fromUcs4(&character, 1);
        }
    });
    for (Run &run : shaped.runs)
        run.codes = PdfString(run.codes);
    return shaped_.emplace(text, std::move(shaped)).first->second;
}

QByteArray ReportFonts::ResourceName(int font)
{
    return "/F" + QByteArray::number(font);
}

QByteArray ReportFonts::Write(PdfFile &pdf) const
{
    QByteArray entries;
    for (size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].used.size() > 1) // more than the missing glyph's box
            entries += ResourceName(int(i)) + ' ' + PdfReference(WriteFont(pdf, int(i))) + ' ';
    }
    return "/Font << " + entries + ">>";
}

int ReportFonts::WriteFont(PdfFile &pdf, int index) const
{
    const Font &font = fonts_[size_t(index)];
    const qreal toThousandths = 1000.0 / font.raw.unitsPerEm();
    // A subset's name begins with a tag of six capitals of its own.
    const QByteArray name = QByteArray(6, char('A' + index)) + '+' + PostScriptName(font.raw);
    const QByteArray head = font.raw.fontTable("head");
    const QByteArray box = PdfNumber(Signed16(head, 36) * toThousandths) + ' '
        + PdfNumber(Signed16(head, 38) * toThousandths) + ' ' + PdfNumber(Signed16(head, 40) * toThousandths) + ' '
        + PdfNumber(Signed16(head, 42) * toThousandths);

    QByteArray widths;
    for (const quint32 glyph : font.used) {
        const QList<QPointF> advance = font.raw.advancesForGlyphIndexes({glyph}, QRawFont::UseDesignMetrics);
        widths += QByteArray::number(glyph) + " [" + PdfNumber(advance.value(0).x() * toThousandths) + "] ";
    }

    const int type0 = pdf.NewObject(), cidFont = pdf.NewObject(), descriptor = pdf.NewObject(),
              toUnicode = pdf.NewObject();
    QByteArray fontFile;
    if (const QByteArray subset = TrueTypeSubset(font.raw, font.used); !subset.isEmpty()) {
        const int file = pdf.NewObject();
        pdf.WriteStream(file, "/Length1 " + QByteArray::number(subset.size()), subset);
        fontFile = " /FontFile2 " + PdfReference(file);
    }
    pdf.Write(descriptor,
              "<< /Type /FontDescriptor /FontName /" + name + " /Flags 4 /FontBBox [" + box
                  + "] /ItalicAngle 0 /Ascent " + PdfNumber(font.raw.ascent() * toThousandths) + " /Descent "
                  + PdfNumber(-font.raw.descent() * toThousandths) + " /CapHeight "
                  + PdfNumber(font.raw.ascent() * toThousandths) + " /StemV 80" + fontFile + " >>");
    pdf.Write(cidFont,
              "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name
                  + " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor "
                  + PdfReference(descriptor) + " /W [" + widths + "] /CIDToGIDMap /Identity >>");
    pdf.WriteStream(toUnicode, {}, ToUnicodeCMap(font.text));
    pdf.Write(type0,
              "<< /Type /Font /Subtype /Type0 /BaseFont /" + name + " /Encoding /Identity-H /DescendantFonts ["
                  + PdfReference(cidFont) + "] /ToUnicode " + PdfReference(toUnicode) + " >>");
    return type0;
}
