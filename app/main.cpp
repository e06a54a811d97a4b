#include "app/form1.h"
#include "app/forms.h"
#include "calc/fonts.h"
#include "numtext/decimal_mark.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ortix-T"));
    FollowDecimalMark(&application);
    RegisterFonts();

    CreateForms();
    Form1->show();
    const int exitCode = QApplication::exec();
    DestroyForms();
    return exitCode;
}
