// The windows' tests run in one application, created as the program creates it.
#include "app/application.h"
#include "app/forms.h"
#include "number_text/decimal_mark.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QtMessageHandler gDefaultHandler = nullptr;

// The headless platform says, for every window shown, what a real screen would do; that is not news.
void QuietHeadlessNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        gDefaultHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    gDefaultHandler = qInstallMessageHandler(QuietHeadlessNotices);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    // Recent files and other settings go to a test folder, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setApplicationName(QStringLiteral("Ortix-T"));
    SetUpApplication(&application);
    CreateForms();
    // The expected texts are written with the Russian separator.
    DecimalMark = ',';
    const int result = RUN_ALL_TESTS();
    DestroyForms();
    return result;
}
