// Draws the README's picture: the first calculator after a full run, as a user sees it.
#include "app/application.h"
#include "app/forms.h"
#include "calculators/same_type/form2.h"
#include "numtext/decimal_mark.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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
    Form2->resize(1097, 760);
    Form2->show();
    for (const auto &[edit, text] : cases.fullRunInputs)
        Type(Find<QLineEdit>(Form2, edit), QString::fromUtf8(text));
    for (int step = 1; step <= cases.steps; ++step)
        ClickAndCollect(Find<QPushButton>(Form2, ("Button" + std::to_string(step)).c_str()));
    Form2->findChild<QScrollArea *>(QStringLiteral("ScrollBox"))->verticalScrollBar()->setValue(300);
    QApplication::processEvents();
    const bool saved = Form2->grab().save(QString::fromLocal8Bit(argv[1]));
    DestroyForms();
    return saved ? 0 : 1;
}
