// The smallest Qt Widgets program that the program's start-up is compared with: one window holding a
// label and a button, which quits after its first paint as the program does.
#include "app/first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Ортикс-Т")));
    layout->addWidget(new QPushButton(QStringLiteral("OK")));
    QuitAfterFirstPaintIfAsked(&window);
    window.show();
    return QApplication::exec();
}
