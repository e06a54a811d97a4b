#include "number_text/decimal_mark.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>

char DecimalMark = '.';

void ReadDecimalMark()
{
    const QString mark = QLocale::system().decimalPoint();
    const bool singleAsciiCharacter = mark.size() == 1 && mark.front().unicode() < 0x80;
    DecimalMark = singleAsciiCharacter ? char(mark.front().unicode()) : '.';
}

namespace {

class LocaleChangeWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::LocaleChange)
            ReadDecimalMark();
        return false;
    }
};

} // namespace

void FollowDecimalMark(QCoreApplication *application)
{
    ReadDecimalMark();
    application->installEventFilter(new LocaleChangeWatcher(application));
}
