#include "window_look/first_show.h"

#include <QEvent>
#include <QWidget>

namespace {

class FirstShow : public QObject
{
public:
    FirstShow(QWidget *widget, std::function<void()> action) : QObject(widget), action_(std::move(action))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            action_();
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

void AtFirstShow(QWidget *widget, std::function<void()> action)
{
    new FirstShow(widget, std::move(action));
}
