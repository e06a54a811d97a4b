#include "tests/support/window_driver.h"
#include "window_look/control_kinds.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

TEST(ControlKinds, SymbolLettersShowAsTheGreekLettersTheyStandFor)
{
    const struct
    {
        const char *typed;
        const char *shown;
    } kCases[] = {{"b", "β"}, {"a", "α"}, {"m", "μ"}, {"t", "τ"}, {"D", "Δ"}, {"W", "Ω"}, {"j", "ϕ"}, {"1 =", "1 ="}};
    for (const auto &c : kCases)
        EXPECT_EQ(SymbolLettersToGreek(QString::fromUtf8(c.typed)), QString::fromUtf8(c.shown)) << c.typed;
}

TEST(ControlKinds, EachKindTakesItsLook)
{
    QWidget window;
    window.setObjectName(QStringLiteral("KindsProbe"));
    window.setFont(QFont(QStringLiteral("Tahoma"), 7));
    const auto label = [&window](const char *kind, const char *text) {
        auto *l = new QLabel(QString::fromUtf8(text), &window);
        l->setGeometry(0, 0, 200, 18);
        l->setProperty("kind", QString::fromLatin1(kind));
        return l;
    };
    QLabel *symbol = label("symbol", "b");
    QLabel *verdict = label("verdict", "");
    QLabel *spare = label("spare", "");
    QLabel *markup = label("prompt", "<b>R</b> =");
    QLabel *picture = label("picture", "");
    auto *button = new QPushButton(QStringLiteral("Шаг 1"), &window);
    ApplyControlKinds(&window);

    EXPECT_EQ(symbol->text(), QStringLiteral("β"));
    EXPECT_TRUE(symbol->font().bold());
    EXPECT_TRUE(verdict->font().italic());
    EXPECT_EQ(verdict->font().pixelSize(), 15);
    EXPECT_EQ(spare->font(), window.font()) << "a spare label keeps the window's font";
    EXPECT_EQ(markup->textFormat(), Qt::PlainText);
    EXPECT_TRUE(picture->pixmap().isNull()) << "no picture is embedded for this window";
    EXPECT_FALSE(button->autoDefault());
    EXPECT_EQ(button->font().family(), QStringLiteral("Tahoma"));
}

TEST(ControlKinds, AWrittenResultFitsItsTextAndKeepsItsHeight)
{
    QWidget window;
    auto *result = new QLabel(&window);
    result->setGeometry(10, 10, 4, 18);
    result->setProperty("kind", QStringLiteral("result"));
    ApplyControlKinds(&window);
    window.show();
    ShowResultText(result, QStringLiteral("3267,97385620915...4901,96078431373 пФ"));
    EXPECT_EQ(result->height(), 18);
    EXPECT_GE(result->width(), result->fontMetrics().horizontalAdvance(result->text()));
    EXPECT_EQ(result->pos(), QPoint(10, 10));
    ShowResultText(result, QStringLiteral("0 Ом"));
    EXPECT_LT(result->width(), 60) << "a shorter text narrows the label again";
}

} // namespace
