#include "report/report_pages.h"

#include "report/report_fonts.h"
#include "report/schematic.h"

#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr qreal kPointsPerPixel = 0.75; // the screen's 96 pixels to the inch
constexpr qreal kEdge = 1.5;            // between the text and the margins
constexpr qreal kNumberBand = 18;       // at the foot of a page, holding its number
constexpr qreal kNumberPoints = 8;

constexpr ReportLook kBody{};
constexpr ReportLook kHeading{12, true, false, true, 0, true};
constexpr ReportLook kPartTitle{12, true, false, true, 13.5, true};
constexpr ReportLook kSectionTitle{10, true, false, false, 6.75, true};
constexpr ReportLook kNotDoneLook{9, false, true};
constexpr ReportLook kCaption{9, false, true, true};
constexpr ReportLook kFooter{8, false, false, false, 13.5};
constexpr ReportLook kPicture{9, false, false, true, 6.75, true};
constexpr ReportLook kRule{9, false, false, false, 6.75};

class Layout
{
public:
    Layout(ReportFonts &fonts, const QSizeF &paper)
        : fonts_(fonts),
          left_(kMarginPoints + kEdge),
          width_(paper.width() - 2 * (kMarginPoints + kEdge)),
          top_(kMarginPoints + kEdge),
          bottom_(paper.height() - kMarginPoints - kNumberBand)
    {}

    std::vector<ReportPage> Place(const std::vector<ReportBlock> &blocks)
    {
        pages_.emplace_back();
        y_ = top_;
        for (size_t i = 0; i < blocks.size(); ++i) {
            const ReportBlock &block = blocks[i];
            const std::vector<std::vector<ReportPiece>> lines = Lines(block);
            // With the start of the block after it, or it starts the next page itself.
            if (block.look.keepWithNext && i + 1 < blocks.size()) {
                const qreal together = Height(block, lines, true) + FirstHeight(blocks[i + 1]);
                if (y_ + together > bottom_ && y_ > top_)
                    NewPage();
            }
            if (block.picture) {
                const QSizeF size = QSizeF(SchematicSize(block.picture)) * kPointsPerPixel;
                Advance(block.look.spaceBefore, size.height());
                pages_.back().pictures.push_back(
                    {QRectF(QPointF(left_ + (width_ - size.width()) / 2, y_), size), block.picture});
                y_ += size.height();
                pictureBefore_ = {pages_.size() - 1, pages_.back().pictures.size() - 1};
                pages_.back().pictures.back().captionPage = int(pages_.size() - 1);
                continue;
            }
            const qreal height = LineHeight(block.look);
            if (block.rule) {
                Advance(block.look.spaceBefore, height);
                pages_.back().rules.emplace_back(left_, y_ + height / 2, left_ + width_, y_ + height / 2);
                y_ += height;
                continue;
            }
            for (size_t line = 0; line < lines.size(); ++line) {
                Advance(line == 0 ? block.look.spaceBefore : 0, height);
                PlaceLine(lines[line], block.look);
                y_ += height;
            }
            if (pictureBefore_) {
                pages_[pictureBefore_->first].pictures[pictureBefore_->second].captionPage = int(pages_.size() - 1);
                pictureBefore_.reset();
            }
        }
        NumberPages();
        return std::move(pages_);
    }

private:
    // As the screen spaces lines of the size: whole pixels above and below the baseline.
    qreal LineHeight(const ReportLook &look) const
    {
        const qreal pixels = look.points / kPointsPerPixel;
        return (std::ceil(fonts_.Ascent() * pixels) + std::ceil(fonts_.Descent() * pixels)) * kPointsPerPixel;
    }

    qreal Width(const QString &text, const ReportLook &look) { return fonts_.Width(text) * look.points; }

    // The paragraph's lines, broken between words where it is wider than the page.
    std::vector<std::vector<ReportPiece>> Lines(const ReportBlock &block)
    {
        if (block.picture || block.rule)
            return {{}};
        qreal whole = 0;
        for (const ReportPiece &piece : block.pieces)
            whole += Width(piece.text, block.look);
        if (whole <= width_)
            return {block.pieces};
        std::vector<std::vector<ReportPiece>> lines(1);
        qreal used = 0;
        for (const ReportPiece &piece : block.pieces) {
            qsizetype start = 0;
            while (start < piece.text.size()) {
                qsizetype end = piece.text.indexOf(QLatin1Char(' '), start);
                end = end < 0 ? piece.text.size() : end + 1;
                const QString word = piece.text.mid(start, end - start);
                start = end;
                if (used > 0 && used + Width(word.trimmed(), block.look) > width_) {
                    lines.emplace_back();
                    used = 0;
                }
                std::vector<ReportPiece> &line = lines.back();
                if (!line.empty() && line.back().bold == piece.bold)
                    line.back().text += word;
                else
                    line.push_back({word, piece.bold});
                used += Width(word, block.look);
            }
        }
        return lines;
    }

    qreal Height(const ReportBlock &block, const std::vector<std::vector<ReportPiece>> &lines, bool whole) const
    {
        if (block.picture)
            return block.look.spaceBefore + SchematicSize(block.picture).height() * kPointsPerPixel;
        return block.look.spaceBefore + LineHeight(block.look) * (whole ? qreal(lines.size()) : 1);
    }

    qreal FirstHeight(const ReportBlock &block) const { return Height(block, {}, false); }

    // Room for what follows: the space before it, which a page's top leaves out, and its height.
    void Advance(qreal spaceBefore, qreal height)
    {
        if (y_ > top_)
            y_ += spaceBefore;
        if (y_ + height > bottom_ && y_ > top_)
            NewPage();
    }

    void NewPage()
    {
        pages_.emplace_back();
        y_ = top_;
    }

    void PlaceLine(const std::vector<ReportPiece> &line, const ReportLook &look)
    {
        qreal lineWidth = 0;
        for (const ReportPiece &piece : line)
            lineWidth += Width(piece.text, look);
        qreal x = look.centred ? left_ + (width_ - lineWidth) / 2 : left_;
        const qreal baseline = y_ + fonts_.Ascent() * look.points;
        for (const ReportPiece &piece : line) {
            const ReportFonts::Shaped &shaped = fonts_.Shape(piece.text);
            if (!piece.text.trimmed().isEmpty())
                pages_.back().texts.push_back(
                    {{x, baseline}, piece.text, &shaped, look.points, look.bold || piece.bold, look.italic});
            x += shaped.width * look.points;
        }
    }

    void NumberPages()
    {
        const qreal baseline = bottom_ + kNumberBand - fonts_.Descent() * kNumberPoints;
        for (size_t page = 0; page < pages_.size(); ++page) {
            const QString number = QStringLiteral("стр. %1 из %2").arg(page + 1).arg(pages_.size());
            const qreal width = Width(number, ReportLook{kNumberPoints});
            pages_[page].texts.push_back(
                {{left_ + (width_ - width) / 2, baseline}, number, &fonts_.Shape(number), kNumberPoints});
        }
    }

    ReportFonts &fonts_;
    qreal left_, width_, top_, bottom_;
    qreal y_ = 0;
    std::vector<ReportPage> pages_;
    std::optional<std::pair<size_t, size_t>> pictureBefore_; // page and place of the picture whose caption is next
};

} // namespace

std::vector<ReportBlock> ReportBlocks(const Report &report)
{
    std::vector<ReportBlock> blocks;
    const auto paragraph = [&](const QString &text, const ReportLook &look) { blocks.push_back({look, {{text}}}); };
    for (const ReportPart &part : report.parts) {
        for (const QString &heading : part.headings)
            paragraph(heading,
                      &part != &report.parts.front() && &heading == &part.headings.front() ? kPartTitle : kHeading);
        for (const QStringList *lines : {&part.notes, &part.citation}) {
            for (const QString &line : *lines)
                paragraph(line, kBody);
        }
        for (const ReportPicture &picture : part.pictures) {
            blocks.push_back({kPicture, {}, picture.label});
            paragraph(picture.caption, kCaption);
        }
        for (const ReportSection &section : part.sections) {
            paragraph(section.title, kSectionTitle);
            if (!section.done)
                paragraph(kNotDone, kNotDoneLook);
            for (const ReportLine &line : section.lines) {
                ReportBlock block{kBody, {{line.lead}}};
                for (const ReportRun &run : line.runs) {
                    if (&run != &line.runs.front() || !line.lead.isEmpty())
                        block.pieces.push_back({QStringLiteral(" ")});
                    block.pieces.push_back({run.text, run.result});
                }
                blocks.push_back(block);
            }
            if (section.ruledOff)
                blocks.push_back({kRule, {}, nullptr, true});
        }
    }
    paragraph(report.footer, kFooter);
    return blocks;
}

std::vector<ReportPage> LayOutReport(const Report &report, ReportFonts &fonts, const QSizeF &paper)
{
    return Layout(fonts, paper).Place(ReportBlocks(report));
}
