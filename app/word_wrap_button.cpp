#include "app/word_wrap_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WordWrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, caption);
}
