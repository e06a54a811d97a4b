#pragma once

#include "numtext/exception.h"

#include <QString>
#include <QStringView>

// Plain decimal text with an optional exponent, leading and trailing blanks allowed,
// the separator being DecimalMark; anything else raises EConvertError.
long double NumberFromText(QStringView text);

// The value rounded to 15 significant digits, fixed notation from 1E-4 up to below 1E15,
// scientific otherwise; never fails (zero, infinities and NaN included).
QString NumberToText(long double value);
