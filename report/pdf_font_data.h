#pragma once

#include <QByteArray>
#include <QRawFont>
#include <QString>

#include <functional>
#include <map>
#include <set>

// A font's table by its four-letter tag, empty when the font has none, as QRawFont::fontTable gives it.
using FontTableOf = std::function<QByteArray(const char *tag)>;

// A TrueType font file with only the outlines of the given glyphs (and of the glyphs they are composed of)
// and of glyph 0; every other glyph is left empty but keeps its id, so a PDF's two-byte codes stay the
// font's glyph ids. Empty when the font has no TrueType outlines (a CFF font) or its tables are corrupt.
QByteArray TrueTypeSubset(const QRawFont &font, const std::set<quint32> &glyphs);
QByteArray TrueTypeSubset(const FontTableOf &tableOf, const std::set<quint32> &glyphs);

// The text of a PDF ToUnicode CMap that maps each glyph's two-byte code to its text; glyphs without text
// are left out, so a reader copies nothing for them.
QByteArray ToUnicodeCMap(const std::map<quint32, QString> &textOfGlyph);
