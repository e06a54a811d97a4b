#pragma once

#include <QByteArray>
#include <QHash>
#include <QRawFont>
#include <QString>

#include <map>
#include <set>
#include <unordered_map>
#include <vector>

class PdfFile;

// The report's letters: each character's glyph from the first of the report's fonts that has it (Tahoma, then
// DejaVu Sans), with its advance; what a PDF has used of each font is embedded in it as a subset.
class ReportFonts
{
public:
    ReportFonts();

    // A piece of text in one font: its glyphs as the PDF's text shows them, a string of two-byte codes, and its
    // width in ems.
    struct Run
    {
        int font = 0;
        QByteArray codes;
        qreal width = 0;
    };
    struct Shaped
    {
        std::vector<Run> runs;
        qreal width = 0; // in ems
    };
    // The text's runs, its glyphs noted as used. A report's texts repeat, from variant to variant too: each is
    // shaped once.
    const Shaped &Shape(const QString &text);
    qreal Width(const QString &text) { return Shape(text).width; }

    // The first font's, in ems: from the baseline up and down.
    qreal Ascent() const { return ascent_; }
    qreal Descent() const { return descent_; }

    // "/F1": the name a page's content gives the font.
    static QByteArray ResourceName(int font);
    // Writes the fonts that were used; their entry of a page's resources: "/Font << /F0 5 0 R >>".
    QByteArray Write(PdfFile &pdf) const;

private:
    struct Glyph
    {
        int font = 0;
        quint32 index = 0;
        qreal advance = 0; // in ems
    };
    struct Font
    {
        QRawFont raw; // at its design size: advances in font units
        std::set<quint32> used;
        std::map<quint32, QString> text; // of each glyph used
    };
    const Glyph &GlyphOf(char32_t character);
    int WriteFont(PdfFile &pdf, int index) const;

    std::vector<Font> fonts_;
    QHash<char32_t, Glyph> glyphs_;
    std::unordered_map<QString, Shaped> shaped_; // its nodes stay put: a page holds on to its texts' shapes
    qreal ascent_ = 0.8;
    qreal descent_ = 0.2;
};
