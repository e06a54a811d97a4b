#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class QLabel;

// A picture box's picture as the report prints it, from its vector source where there is one:
// resources/pictures/svg/<Form>_<Image>.svg, embedded at ":/pictures/svg/".

// The size it has on screen, in pixels at 96 per inch, which is its printed size too.
QSize SchematicSize(const QLabel *picture);

// Rendered for paper: kPrintDpi pixels per inch at its printed size.
inline constexpr int kPrintDpi = 300;
QImage SchematicImage(const QLabel *picture);

// Its vector source; empty where it has none.
QByteArray SchematicSvg(const QLabel *picture);
