#pragma once

#include <QString>

// Base of every fault a step can raise; the fault report shows message().
class Exception
{
public:
    explicit Exception(QString message) : message_(std::move(message)) {}
    virtual ~Exception() = default;
    const QString &message() const { return message_; }

private:
    QString message_;
};

class EConvertError : public Exception
{
public:
    using Exception::Exception;
};
