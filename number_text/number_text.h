#pragma once

#include "number_text/exception.h"

#include <QString>
#include <QStringView>

// Plain decimal text with an optional exponent, leading and trailing blanks allowed,
// the separator being DecimalMark; anything else raises EConvertError.
long double NumberFromText(QStringView text);
// The same with another separator, for text typed under other regional settings.
long double NumberFromText(QStringView text, char mark);

// The value rounded to 15 significant digits, fixed notation from 1E-4 up to below 1E15,
// scientific otherwise; never fails (zero, infinities and NaN included).
QString NumberToText(long double value);
QString NumberToText(long double value, char mark);
