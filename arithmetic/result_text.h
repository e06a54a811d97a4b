#pragma once

#include <QString>

#include <vector>

// A result's text as a step writes it, "7,5...8 В", with the printed values kept beside it, so that
// whoever shows the text knows what it says without reading it back. It is a QString wherever one is
// wanted.
class ResultText
{
public:
    explicit ResultText(long double value);

    operator QString() const { return text_; }
    const QString &text() const { return text_; }
    const std::vector<long double> &values() const { return values_; }
    // The literal piece after the last value: the unit, " Ом", or nothing.
    QString unit() const { return text_.mid(lastValueEnd_); }

    friend ResultText operator+(ResultText text, const QString &literal);
    friend ResultText operator+(ResultText text, const char *literal) { return text + QString::fromUtf8(literal); }
    friend ResultText operator+(ResultText text, const ResultText &more);

private:
    QString text_;
    std::vector<long double> values_;
    qsizetype lastValueEnd_ = 0;
};
