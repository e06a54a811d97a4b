#include "report/pdf_font_data.h"

#include <QtEndian>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr qsizetype kCheckSumAdjustmentAt = 8;
constexpr qsizetype kIndexToLocFormatAt = 50;
constexpr qsizetype kGlyphCountAt = 4; // in 'maxp'
constexpr qsizetype kGlyphHeaderLength = 10;
constexpr quint32 kFontCheckSum = 0xB1B0AFBA;

// A composite glyph's component record.
constexpr quint16 kArgsAreWords = 0x0001;
constexpr quint16 kHasScale = 0x0008;
constexpr quint16 kMoreComponents = 0x0020;
constexpr quint16 kHasXYScale = 0x0040;
constexpr quint16 kHasTwoByTwo = 0x0080;

constexpr size_t kBfcharBlock = 100; // the most entries a beginbfchar block may hold

std::optional<quint16> ReadU16(const QByteArray &data, qsizetype at)
{
    if (at < 0 || at + 2 > data.size())
        return std::nullopt;
    return qFromBigEndian<quint16>(data.constData() + at);
}

std::optional<quint32> ReadU32(const QByteArray &data, qsizetype at)
{
    if (at < 0 || at + 4 > data.size())
        return std::nullopt;
    return qFromBigEndian<quint32>(data.constData() + at);
}

void AppendU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    out.append(bytes, 2);
}

void AppendU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

QByteArray PaddedTo4(QByteArray data)
{
    data.append((4 - data.size() % 4) % 4, '\0');
    return data;
}

quint32 CheckSum(const QByteArray &padded)
{
    quint32 sum = 0;
    for (qsizetype at = 0; at + 4 <= padded.size(); at += 4)
        sum += qFromBigEndian<quint32>(padded.constData() + at);
    return sum;
}

// The outline data of one glyph in 'glyf', as 'loca' places it; nullopt where 'loca' points outside 'glyf',
// backwards, or past its own end.
std::optional<QByteArray> OutlineOf(quint32 glyph, const QByteArray &glyf, const QByteArray &loca, bool longOffsets)
{
    std::optional<quint32> start, end;
    if (longOffsets) {
        start = ReadU32(loca, qsizetype(glyph) * 4);
        end = ReadU32(loca, qsizetype(glyph) * 4 + 4);
    } else if (const auto shortStart = ReadU16(loca, qsizetype(glyph) * 2)) {
        const auto shortEnd = ReadU16(loca, qsizetype(glyph) * 2 + 2);
        start = quint32(*shortStart) * 2;
        end = shortEnd ? std::optional<quint32>(quint32(*shortEnd) * 2) : std::nullopt;
    }
    if (!start || !end || *start > *end || *end > quint32(glyf.size()))
        return std::nullopt;
    return glyf.mid(*start, *end - *start);
}

// The glyphs a composite glyph is drawn from; nullopt when its records run past its end.
std::optional<std::vector<quint32>> ComponentsOf(const QByteArray &outline)
{
    std::vector<quint32> components;
    for (qsizetype at = kGlyphHeaderLength;;) {
        const auto flags = ReadU16(outline, at);
        if (!flags)
            return std::nullopt;
        qsizetype recordLength = 4 + ((*flags & kArgsAreWords) ? 4 : 2);
        if (*flags & kHasScale)
            recordLength += 2;
        else if (*flags & kHasXYScale)
            recordLength += 4;
        else if (*flags & kHasTwoByTwo)
            recordLength += 8;
        if (at + recordLength > outline.size())
            return std::nullopt;
        components.push_back(*ReadU16(outline, at + 2));
        at += recordLength;
        if (!(*flags & kMoreComponents))
            return components;
    }
}

// The outlines of the glyphs and of every glyph they are composed of, by glyph; nullopt when a glyph is
// not in the font ('loca' ends before it) or its data is corrupt.
std::optional<std::map<quint32, QByteArray>> KeptOutlines(std::vector<quint32> pending, const QByteArray &glyf,
                                                          const QByteArray &loca, bool longOffsets)
{
    std::map<quint32, QByteArray> kept;
    while (!pending.empty()) {
        const quint32 glyph = pending.back();
        pending.pop_back();
        if (kept.count(glyph))
            continue;
        const std::optional<QByteArray> outline = OutlineOf(glyph, glyf, loca, longOffsets);
        if (!outline || (!outline->isEmpty() && outline->size() < kGlyphHeaderLength))
            return std::nullopt;
        kept[glyph] = *outline;
        if (outline->isEmpty() || qint16(*ReadU16(*outline, 0)) >= 0)
            continue;
        const auto components = ComponentsOf(*outline);
        if (!components)
            return std::nullopt;
        pending.insert(pending.end(), components->begin(), components->end());
    }
    return kept;
}

// A TrueType file of the tables, sorted by tag as std::map keeps them, with 'head' made to sum the file
// to the checksum the format requires.
QByteArray SfntFile(const std::map<QByteArray, QByteArray> &tables)
{
    const quint16 count = quint16(tables.size());
    quint16 searchEntries = 1, entrySelector = 0;
    while (searchEntries * 2 <= count) {
        searchEntries *= 2;
        ++entrySelector;
    }
    QByteArray file;
    AppendU32(file, 0x00010000);
    AppendU16(file, count);
    AppendU16(file, searchEntries * 16);
    AppendU16(file, entrySelector);
    AppendU16(file, count * 16 - searchEntries * 16);
    QByteArray body;
    const qsizetype bodyAt = file.size() + count * 16;
    qsizetype headAt = -1;
    for (const auto &[tag, data] : tables) {
        const QByteArray padded = PaddedTo4(data);
        if (tag == "head")
            headAt = bodyAt + body.size();
        file += tag;
        AppendU32(file, CheckSum(padded));
        AppendU32(file, quint32(bodyAt + body.size()));
        AppendU32(file, quint32(data.size()));
        body += padded;
    }
    file += body;
    qToBigEndian(quint32(kFontCheckSum - CheckSum(file)), file.data() + headAt + kCheckSumAdjustmentAt);
    return file;
}

QByteArray Hex4(quint32 value)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(4, '0');
}

} // namespace

QByteArray TrueTypeSubset(const QRawFont &font, const std::set<quint32> &glyphs)
{
    return TrueTypeSubset([&font](const char *tag) { return font.fontTable(tag); }, glyphs);
}

QByteArray TrueTypeSubset(const FontTableOf &tableOf, const std::set<quint32> &glyphs)
{
    QByteArray head = tableOf("head");
    const QByteArray glyf = tableOf("glyf"), loca = tableOf("loca"), maxp = tableOf("maxp");
    const QByteArray hhea = tableOf("hhea"), hmtx = tableOf("hmtx");
    const std::optional<quint16> locaFormat = ReadU16(head, kIndexToLocFormatAt);
    const std::optional<quint16> glyphCount = ReadU16(maxp, kGlyphCountAt);
    // A font without 'glyf' and 'loca' (CFF outlines) fails at glyph 0's place in 'loca'.
    if (!locaFormat || *locaFormat > 1 || !glyphCount || hhea.isEmpty() || hmtx.isEmpty())
        return {};

    std::vector<quint32> wanted(glyphs.begin(), glyphs.end());
    wanted.push_back(0); // .notdef, drawn for whatever a viewer cannot find
    const auto kept = KeptOutlines(std::move(wanted), glyf, loca, *locaFormat == 1);
    if (!kept)
        return {};

    QByteArray subsetGlyf, subsetLoca;
    for (quint32 glyph = 0; glyph < *glyphCount; ++glyph) {
        AppendU32(subsetLoca, quint32(subsetGlyf.size()));
        if (const auto outline = kept->find(glyph); outline != kept->end())
            subsetGlyf += PaddedTo4(outline->second);
    }
    AppendU32(subsetLoca, quint32(subsetGlyf.size()));

    qToBigEndian(quint32(0), head.data() + kCheckSumAdjustmentAt);
    qToBigEndian(quint16(1), head.data() + kIndexToLocFormatAt);
    std::map<QByteArray, QByteArray> tables{{"head", head}, {"hhea", hhea},       {"maxp", maxp},
                                            {"hmtx", hmtx}, {"loca", subsetLoca}, {"glyf", subsetGlyf}};
    for (const char *hinting : {"cvt ", "fpgm", "prep"}) {
        if (const QByteArray table = tableOf(hinting); !table.isEmpty())
            tables[hinting] = table;
    }
    return SfntFile(tables);
}

QByteArray ToUnicodeCMap(const std::map<quint32, QString> &textOfGlyph)
{
    std::vector<QByteArray> entries;
    for (const auto &[glyph, text] : textOfGlyph) {
        if (text.isEmpty() || glyph > 0xFFFF)
            continue;
        QByteArray entry = '<' + Hex4(glyph) + "> <";
        for (const QChar unit : text) // UTF-16 already, surrogate pairs as two units
            entry += Hex4(unit.unicode());
        entries.push_back(entry + ">\n");
    }

    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n"
                      "12 dict begin\n"
                      "begincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n"
                      "/CMapType 2 def\n"
                      "1 begincodespacerange\n"
                      "<0000> <FFFF>\n"
                      "endcodespacerange\n";
    for (size_t first = 0; first < entries.size(); first += kBfcharBlock) {
        const size_t last = std::min(first + kBfcharBlock, entries.size());
        cmap += QByteArray::number(qulonglong(last - first)) + " beginbfchar\n";
        for (size_t entry = first; entry < last; ++entry)
            cmap += entries[entry];
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\n"
            "CMapName currentdict /CMap defineresource pop\n"
            "end\n"
            "end\n";
    return cmap;
}
