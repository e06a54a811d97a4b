#include "app/form1.h"

#include "app/forms.h"
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form7.h"
#include "calculators/same_type/form2.h"
#include "calculators/same_type/form3.h"
#include "calculators/same_type/form4.h"
#include "window/designed_window.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

TForm1 *Form1 = nullptr;

namespace {

// The calculators are made at the first use of any of them.
template <class Form>
void ShowCalculator(Form *const &form)
{
    CreateCalculators();
    BringToFront(form);
}

} // namespace

TForm1::TForm1(QWidget *parent) : QWidget(parent, Qt::Window)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm1Structure);
    SetUpDesignedWindow(this, QColor(192, 220, 192)); // money green
    setFixedSize(size());

    connect(ui.Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(ui.Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(ui.Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(ui.Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(ui.Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    ui.Label9->installEventFilter(this);
}

void TForm1::Button1Click()
{
    ShowCalculator(Form5);
}

void TForm1::Button2Click()
{
    ShowCalculator(Form7);
}

void TForm1::Button3Click()
{
    ShowCalculator(Form2);
}

void TForm1::Button4Click()
{
    ShowCalculator(Form3);
}

void TForm1::Button5Click()
{
    ShowCalculator(Form4);
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
