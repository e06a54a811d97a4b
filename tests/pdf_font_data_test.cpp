// The fonts a PDF report embeds: a subset draws the glyphs it keeps as the whole font does, corrupt tables
// give no subset (and no read past their end), and the ToUnicode map gives each glyph its text.
#include "report/pdf_font_data.h"

#include <QFile>
#include <QLineF>
#include <QPainterPath>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace {

const char *const kFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",                 // short 'loca' offsets
                                  "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"}; // long ones

std::set<quint32> GlyphsOf(const QRawFont &font, const QString &text)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    return {glyphs.begin(), glyphs.end()};
}

// A report's line, and é, composite in both fonts.
const QString kSample = QStringLiteral("Шаг 1: Rк1 = 2057,14 Ом é");

// The same points to a sixteenth of a pixel: FreeType autohints Tahoma, which has no hinting
// instructions, by letters that a subset lacks.
bool SameOutline(const QPainterPath &subset, const QPainterPath &whole)
{
    bool same = subset.elementCount() == whole.elementCount();
    for (int i = 0; same && i < whole.elementCount(); ++i)
        same = subset.elementAt(i).type == whole.elementAt(i).type
            && QLineF(subset.elementAt(i), whole.elementAt(i)).length() <= 1.0 / 16;
    return same;
}

TEST(PdfFontData, SubsetDrawsItsGlyphsAsTheWholeFontAndNoOthers)
{
    for (const char *file : kFontFiles) {
        SCOPED_TRACE(file);
        const QRawFont whole(QString::fromLatin1(file), 40);
        const QByteArray data = TrueTypeSubset(whole, GlyphsOf(whole, kSample));
        const QRawFont subset(data, 40);
        ASSERT_TRUE(subset.isValid());
        for (const quint32 glyph : GlyphsOf(whole, kSample))
            EXPECT_TRUE(SameOutline(subset.pathForGlyph(glyph), whole.pathForGlyph(glyph))) << glyph;
        const quint32 unused = *GlyphsOf(whole, QStringLiteral("Щ")).begin();
        EXPECT_FALSE(whole.pathForGlyph(unused).isEmpty());
        EXPECT_TRUE(subset.pathForGlyph(unused).isEmpty());
        EXPECT_LT(data.size() * 4, QFile(QString::fromLatin1(file)).size());
    }
}

// A font's tables as the subset reads them, and é's glyph: composite, to corrupt.
struct Font
{
    std::map<QByteArray, QByteArray> tables;
    std::set<quint32> glyphs;
    quint32 composite;

    quint32 Loca(quint32 glyph) const
    {
        const char *at = tables.at("loca").constData();
        return tables.at("head")[51] ? qFromBigEndian<quint32>(at + glyph * 4)
                                     : qFromBigEndian<quint16>(at + glyph * 2) * 2u;
    }
    void SetLoca(quint32 glyph, quint32 offset)
    {
        char *at = tables["loca"].data();
        tables["head"][51] ? qToBigEndian(offset, at + glyph * 4) : qToBigEndian(quint16(offset / 2), at + glyph * 2);
    }
    void SetComposite(quint32 at, quint16 value) { qToBigEndian(value, tables["glyf"].data() + Loca(composite) + at); }
};

TEST(PdfFontData, CorruptTablesGiveNoSubset)
{
    std::vector<std::tuple<const char *, std::function<void(Font &)>, bool /*subsets*/>> corruptions{
        {"unknown loca format", [](Font &font) { font.tables["head"][51] = 2; }, false},
        {"loca cut before glyph 0 ends", [](Font &font) { font.tables["loca"].truncate(3); }, false},
        {"glyph ending before it starts", [](Font &f) { f.SetLoca(f.composite + 1, f.Loca(f.composite) - 2); }, false},
        {"glyph 0 past the end of glyf", [](Font &font) { font.tables["glyf"].truncate(font.Loca(1) - 1); }, false},
        {"glyph 0 shorter than its header", [](Font &font) { font.SetLoca(1, font.Loca(0) + 4); }, false},
        {"component not in the font", [](Font &font) { font.SetComposite(12, 0xFFFF); }, false},
        {"last component record cut short",
         [](Font &font) {
             font.SetComposite(10, 0); // the first record the last one, its arguments bytes
             font.SetLoca(font.composite + 1, font.Loca(font.composite) + 14);
         },
         false},
        {"glyph asked for that the font lacks", [](Font &font) { font.glyphs.insert(70000); }, false},
        {"component drawn from itself", [](Font &font) { font.SetComposite(12, font.composite); }, true}};
    for (const char *tag : {"glyf", "loca", "head", "maxp", "hhea", "hmtx"})
        corruptions.emplace_back(
            tag, [tag](Font &font) { font.tables.erase(tag); }, false);
    for (const char *file : kFontFiles) {
        const QRawFont whole(QString::fromLatin1(file), 40);
        Font intact{{}, GlyphsOf(whole, kSample), *GlyphsOf(whole, QStringLiteral("é")).begin()};
        for (const char *tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cvt ", "fpgm", "prep"})
            intact.tables[tag] = whole.fontTable(tag);
        for (const auto &[name, corrupt, subsets] : corruptions) {
            Font font = intact;
            corrupt(font);
            const auto tableOf = [&font](const char *tag) {
                return font.tables.count(tag) ? font.tables[tag] : QByteArray();
            };
            EXPECT_EQ(!TrueTypeSubset(tableOf, font.glyphs).isEmpty(), subsets) << file << ": " << name;
        }
    }
}

TEST(PdfFontData, ToUnicodeGivesEachGlyphItsTextInBlocksOfAHundred)
{
    std::map<quint32, QString> textOfGlyph{{0x0123, "Ш"}, {0x0004, QString::fromUcs4(U"\U0001D445")}, {0x0005, ""}};
    for (quint32 glyph = 0x1000; glyph < 0x1000 + 150; ++glyph)
        textOfGlyph[glyph] = "ф";
    const QByteArray cmap = ToUnicodeCMap(textOfGlyph);
    EXPECT_TRUE(cmap.startsWith("/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                                "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"));
    EXPECT_TRUE(cmap.contains("1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n100 beginbfchar\n"
                              "<0004> <D835DC45>\n<0123> <0428>\n<1000> <0444>\n"));
    EXPECT_TRUE(cmap.contains("<1061> <0444>\nendbfchar\n52 beginbfchar\n<1062> <0444>\n"));
    EXPECT_TRUE(cmap.endsWith("<1095> <0444>\nendbfchar\nendcmap\nCMapName currentdict /CMap defineresource pop\n"
                              "end\nend\n"));
}

} // namespace
