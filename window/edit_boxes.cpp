#include "window/edit_boxes.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QWidget>

namespace {

// The width a line edit has for its text: its contents less the frame and the text margins.
int TextRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return room.width() - margins.left() - margins.right() - 4; // QLineEdit keeps 2 pixels each side
}

class EditBoxReadability : public QObject
{
public:
    explicit EditBoxReadability(QLineEdit *edit) : QObject(edit), edit_(edit)
    {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &EditBoxReadability::TextChanged);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusOut: {
            // Leaving the window, or opening the box's context menu, is no leaving of the box: the user
            // comes back to type on where the cursor was.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                edit_->setCursorPosition(0);
            break;
        }
        case QEvent::FontChange:
        case QEvent::Resize:
            UpdateToolTip();
            break;
        case QEvent::Show:
            if (toolTipDue_)
                UpdateToolTip();
            break;
        case QEvent::ToolTipChange:
            // A tooltip set from outside after the text (the design's «подставлено: …») stays.
            toolTipDue_ = toolTipDue_ && updating_;
            break;
        default:
            break;
        }
        return false;
    }

private:
    void TextChanged()
    {
        // A text set from outside, not typed into the box the user is in, puts the cursor at its end.
        if (edit_->window()->focusWidget() != edit_)
            edit_->setCursorPosition(0);
        // Measuring the text is for the eye: a hidden window's box (a batch's) is measured as it shows.
        if (edit_->isVisible())
            UpdateToolTip();
        else
            toolTipDue_ = true;
    }

    void UpdateToolTip()
    {
        const QString text = edit_->text();
        const bool fits = QFontMetrics(edit_->font()).horizontalAdvance(text) <= TextRoom(edit_);
        updating_ = true;
        // A tooltip that looks like markup is drawn as markup: typed text is shown as typed.
        edit_->setToolTip(fits                            ? QString()
                              : Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap)
                                                          : text);
        updating_ = false;
        toolTipDue_ = false;
    }

    QLineEdit *edit_;
    bool toolTipDue_ = false;
    bool updating_ = false;
};

} // namespace

void KeepEditBoxesReadable(QWidget *window)
{
    for (QLineEdit *edit : window->findChildren<QLineEdit *>())
        new EditBoxReadability(edit);
}
