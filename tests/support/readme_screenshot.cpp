// Draws the README's picture: the first calculator after its first steps, as a user sees it on the
// desktop, title bar and heading included. Run under an X server with a window manager.
#include "app/application.h"
#include "app/forms.h"
#include "calculators/same_type/form2.h"
#include "number_text/decimal_mark.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s out.png\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ortix-T"));
    SetUpApplication(&application);
    CreateForms();
    DecimalMark = ',';

    const CalculatorCases &cases = Form2Cases();
    Form2->resize(1097, 700);
    Form2->show();
    if (!QTest::qWaitForWindowExposed(Form2))
        return 1;
    for (const auto &[edit, text] : cases.fullRunInputs)
        Type(Find<QLineEdit>(Form2, edit), QString::fromUtf8(text));
    for (int step = 1; step <= cases.steps; ++step)
        ClickAndCollect(Find<QPushButton>(Form2, ("Button" + std::to_string(step)).c_str()));
    Form2->findChild<QScrollArea *>(QStringLiteral("ScrollBox"))->verticalScrollBar()->setValue(0);
    Form2->activateWindow();
    QTest::qWait(1000); // the window manager frames and places the window some time after mapping
    const QRect frame = Form2->frameGeometry();
    const bool saved = Form2->screen()
                           ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                           .save(QString::fromLocal8Bit(argv[1]));
    DestroyForms();
    return saved ? 0 : 1;
}
