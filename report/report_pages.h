#pragma once

#include "report/report_fonts.h"
#include "report/report_model.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <vector>

// A report laid out on pages, in points from each page's top left corner: what the PDF and the printer draw
// alike. A line is never cut by a page's end, a picture never split from its caption, a title never left at
// a page's foot without the line after it; each page is numbered «стр. N из M» at its foot.

// How a paragraph of the report looks, in points.
struct ReportLook
{
    qreal points = 9; // the widest row of a window fits the width of A4 between its margins
    bool bold = false;
    bool italic = false;
    bool centred = false;
    qreal spaceBefore = 0;
    bool keepWithNext = false; // on the page of the block after it
};

// A piece of a paragraph: words, or a result in bold.
struct ReportPiece
{
    QString text;
    bool bold = false;
};

// A paragraph, a picture or a rule: what the report is made of, in reading order, for pages and for a word
// processor's document alike.
struct ReportBlock
{
    ReportLook look;
    std::vector<ReportPiece> pieces; // a paragraph's, in order
    const QLabel *picture = nullptr; // or a picture, with its caption the block after it
    bool rule = false;               // or a decorative rule of the window, a line across the page
};

std::vector<ReportBlock> ReportBlocks(const Report &report);

// Text of one look: the report's font at a size, bold or italic as the font is drawn heavier or slanted.
struct PlacedText
{
    QPointF baseline; // of its start
    QString text;
    const ReportFonts::Shaped *shaped = nullptr; // by the fonts it was laid out with
    qreal points = 9;
    bool bold = false;
    bool italic = false;
};

struct PlacedPicture
{
    QRectF rect;
    const QLabel *label = nullptr;
    int captionPage = 0; // of the caption under it: its own, unless a page's end came between
};

struct ReportPage
{
    std::vector<PlacedText> texts;
    std::vector<PlacedPicture> pictures;
    std::vector<QLineF> rules;
};

// A4 between margins of 15 mm, unless a printer gives its own paper.
inline constexpr QSizeF kA4Points(595.2756, 841.8898);
inline constexpr qreal kMarginMillimetres = 15;
inline constexpr qreal kMarginPoints = kMarginMillimetres * 72 / 25.4;

// The report on pages of the paper's size; pictures take their size on screen.
std::vector<ReportPage> LayOutReport(const Report &report, ReportFonts &fonts, const QSizeF &paper = kA4Points);
