#include "arithmetic/result_text.h"

#include "number_text/number_text.h"

ResultText::ResultText(long double value) : text_(NumberToText(value)), values_{value}, lastValueEnd_(text_.size()) {}

ResultText operator+(ResultText text, const QString &literal)
{
    text.text_ += literal;
    return text;
}

ResultText operator+(ResultText text, const ResultText &more)
{
    text.lastValueEnd_ = text.text_.size() + more.lastValueEnd_;
    text.text_ += more.text_;
    text.values_.insert(text.values_.end(), more.values_.begin(), more.values_.end());
    return text;
}
