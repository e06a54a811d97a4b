#include "app/form1.h"

#include "app/forms.h"
#include "calculators/registry.h"
#include "window/calculator_window.h"
#include "window/designed_window.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

TForm1 *Form1 = nullptr;

TForm1::TForm1(QWidget *parent) : QWidget(parent, Qt::Window)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm1Structure);
    SetUpDesignedWindow(this, QColor(192, 220, 192)); // money green
    setFixedSize(size());

    // The calculators are made at the first use of any of them.
    for (const CalculatorRow *row : CalculationRows()) {
        connect(findChild<QPushButton *>(QLatin1String(row->mainMenuButton)), &QPushButton::clicked, this, [row] {
            CreateCalculators();
            BringToFront(row->windowClass.program());
        });
    }
    ui.Label9->installEventFilter(this);
}

void TForm1::Label9Click()
{
    // The desktop reports nothing useful back: whether a browser opened is not examined.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kSupportAddress)));
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.Label9 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label9Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
