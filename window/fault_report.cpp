#include "window/fault_report.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

TFaultCollector *gCollector = nullptr;

// A message wider than the screen (a quoted text can be 32,767 characters long, or one unbroken run)
// would be cut off by the box's label, which wraps only between words: it is shown in a scrolled view
// of a third of the screen instead, wrapped anywhere, which can be selected and copied as well. The
// label keeps the text, so that the box's text stays the message.
void ScrollIfWiderThanTheScreen(QMessageBox *box)
{
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    auto *grid = qobject_cast<QGridLayout *>(box->layout());
    const QRect screen = box->screen()->availableGeometry();
    if (!label || !grid || label->fontMetrics().horizontalAdvance(label->text()) <= screen.width())
        return;
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rowSpan, &columnSpan);
    auto *view = new QPlainTextEdit(label->text(), box);
    view->setReadOnly(true);
    view->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    view->setFrameShape(QFrame::NoFrame);
    view->setFont(label->font());
    view->setBackgroundRole(QPalette::Window);
    view->setFixedSize(screen.width() / 2, screen.height() / 3);
    label->hide();
    grid->addWidget(view, row, column, rowSpan, columnSpan);
}

} // namespace

QString FaultReportText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ShowWarning(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

TFaultCollector::TFaultCollector() : outer_(gCollector)
{
    gCollector = this;
}

TFaultCollector::~TFaultCollector()
{
    gCollector = outer_;
}

void ShowFaultReport(QWidget *parent, const QString &message)
{
    if (gCollector) {
        if (gCollector->fault_.isEmpty())
            gCollector->fault_ = message;
        return;
    }
    // Built with setters: the static helpers guess rich text, and a typed "<b>1</b>" must show as typed.
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setIcon(QMessageBox::Critical);
    box.setTextFormat(Qt::PlainText);
    box.setText(FaultReportText(message));
    // The quoted text can be selected and copied, to be mended and typed again.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.setStandardButtons(QMessageBox::Ok);
    ScrollIfWiderThanTheScreen(&box);
    box.exec();
}
