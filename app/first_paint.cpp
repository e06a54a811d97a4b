#include "app/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

class QuitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The paint event comes before the widgets draw and the result is flushed to the screen; a
            // zero timer runs once both are done.
            QTimer::singleShot(0, this, &QuitAfterFirstPaint::Quit);
        }
        return false;
    }

private:
    void Quit()
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        QCoreApplication::quit();
    }
};

} // namespace

void QuitAfterFirstPaintIfAsked(QWidget *window)
{
    if (qEnvironmentVariableIntValue("ORTIX_QUIT_AFTER_FIRST_PAINT") == 1)
        window->installEventFilter(new QuitAfterFirstPaint(window));
}
