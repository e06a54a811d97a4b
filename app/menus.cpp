#include "app/menus.h"

#include "app/design_commands.h"
#include "app/export_actions.h"
#include "app/form1.h"
#include "app/headless.h"
#include "calculators/registry.h"
#include "design/design_command.h"
#include "documents/calculation_document.h"
#include "documents/recent_files.h"
#include "simulation/simulation.h"
#include "tolerance/tolerance_window.h"
#include "window/calculator_window.h"
#include "window/fault_report.h"
#include "window_look/first_show.h"

#include <QApplication>
#include <QFileInfo>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

namespace {

// Desktop furniture: the desktop's own font, not the window's designed one.
QMenuBar *NewMenuBar(QWidget *window)
{
    auto *bar = new QMenuBar(window);
    bar->setFont(QApplication::font(bar));
    return bar;
}

QAction *AddAction(QMenu *menu, const QString &text, QKeySequence::StandardKey key, std::function<void()> slot)
{
    QAction *action = menu->addAction(text, std::move(slot));
    action->setShortcut(key);
    return action;
}

// Rebuilt whenever it opens: files that have gone since are dropped, and it says so.
void AddRecentMenu(QMenu *fileMenu, QWidget *window)
{
    QMenu *recent = fileMenu->addMenu(QStringLiteral("Н&едавние расчёты"));
    QObject::connect(recent, &QMenu::aboutToShow, recent, [recent, window] {
        recent->clear();
        QStringList gone;
        int number = 0;
        for (const QString &path : RecentCalculations()) {
            if (!QFileInfo::exists(path)) {
                gone << path;
                continue;
            }
            const QString text = QStringLiteral("&%1 %2").arg(++number % 10).arg(QFileInfo(path).fileName());
            QAction *open = recent->addAction(text, window, [path, window] { OpenCalculationReporting(path, window); });
            open->setToolTip(path);
        }
        recent->setToolTipsVisible(true);
        if (number == 0)
            recent->addAction(QStringLiteral("Нет недавних расчётов"))->setEnabled(false);
        if (!gone.isEmpty()) {
            RemoveRecentCalculations(gone);
            recent->addSeparator();
            recent->addAction(QStringLiteral("Убраны из списка исчезнувшие файлы: %1").arg(gone.size()))
                ->setEnabled(false);
        }
    });
}

// The design from the given data by standard values, and «Отменить», first in «Правка», which undoes it.
void AddDesignActions(QWidget *window, QMenu *edit, QMenu *calculation)
{
    TDesignCommand *command = TDesignCommand::Of(window);
    calculation->addAction(QStringLiteral("Рассчитать по &стандартным значениям"),
                           QKeySequence(QStringLiteral("Ctrl+E")), window, [command, window] { command->Run(window); });
    QAction *first = edit->actions().value(0);
    auto *undo = new QAction(QStringLiteral("&Отменить"), edit);
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(command->CanUndo());
    QObject::connect(undo, &QAction::triggered, command, &TDesignCommand::Undo);
    QObject::connect(command, &TDesignCommand::UndoAvailable, undo, &QAction::setEnabled);
    edit->insertAction(first, undo);
    edit->insertSeparator(first);
}

void AddCalculatorMenus(QWidget *window, TCalculationDocument *document)
{
    QMenuBar *bar = NewMenuBar(window);
    // The client area scrolls under the bar; the window keeps its designed outer size.
    window->layout()->setMenuBar(bar);
    QMenu *file = bar->addMenu(QStringLiteral("&Файл"));
    AddAction(file, QStringLiteral("&Новый расчёт"), QKeySequence::New,
              [document] { ShowFailure(document->Calculator(), document->NewCalculation()); });
    AddAction(file, QStringLiteral("&Открыть…"), QKeySequence::Open, [window] { OpenCalculationWithDialog(window); });
    AddRecentMenu(file, window);
    file->addAction(QStringLiteral("Пакетный &расчёт…"), window, [window] { RunBatchWithDialogs(window); });
    file->addSeparator();
    AddAction(file, QStringLiteral("&Сохранить"), QKeySequence::Save,
              [document] { ShowFailure(document->Calculator(), document->Save()); });
    AddAction(file, QStringLiteral("Сохранить &как…"), QKeySequence::SaveAs,
              [document] { ShowFailure(document->Calculator(), document->SaveAs()); });
    file->addSeparator();
    // The report is the whole calculation's, whichever of its windows asks.
    TCalculatorWindow *calculator = document->Calculator();
    file->addAction(QStringLiteral("&Экспорт отчёта…"), window,
                    [document, window] { ExportReportWithDialog(document, window); });
    file->addAction(QStringLiteral("Пред&варительный просмотр…"), window,
                    [document, calculator, window] { PreviewReport(calculator, FooterOf(document), window); });
    AddAction(file, QStringLiteral("&Печать…"), QKeySequence::Print,
              [document, calculator, window] { PrintReport(calculator, FooterOf(document), window); });
    file->addSeparator();
    AddAction(file, QStringLiteral("&Закрыть"), QKeySequence::Close, [window] { window->close(); });
    QMenu *edit = bar->addMenu(QStringLiteral("&Правка"));
    edit->addAction(QStringLiteral("&Копировать расчёт"), QKeySequence(QStringLiteral("Ctrl+Shift+C")), window,
                    [document, calculator] { CopyReport(calculator, FooterOf(document)); });
    QMenu *calculation = bar->addMenu(QStringLiteral("&Расчёт"));
    AddDesignActions(window, edit, calculation);
    if (CanSimulate(calculator)) {
        calculation->addSeparator();
        calculation->addAction(QStringLiteral("&Моделирование…"), QKeySequence(Qt::Key_F5), window,
                               [calculator] { ShowSimulation(calculator); });
        calculation->addAction(QStringLiteral("&Запас и разброс…"), window,
                               [calculator] { ShowTolerance(calculator); });
        calculation->addAction(QStringLiteral("&Экспорт схемы SPICE…"), window,
                               [document, window] { ExportNetlistWithDialog(document, window); });
    }
}

void ShowAbout(QWidget *parent)
{
    QMessageBox::about(parent, QStringLiteral("О программе"),
                       QStringLiteral("<p><b>Ортикс-Т</b> (Ortix-T), версия %1</p>"
                                      "<p>Инженерный расчёт схем транзисторных триггеров по шагам.</p>"
                                      "<p>Программа распространяется бесплатно, как есть, без каких-либо гарантий.</p>"
                                      "<p>Qt %2</p>"
                                      "<p>Поддержать проект: <a href=\"%3\">%3</a></p>")
                           .arg(QCoreApplication::applicationVersion().toHtmlEscaped(), QString::fromLatin1(qVersion()),
                                QString::fromLatin1(kSupportAddress)));
}

// The main menu's menus.
QMenuBar *MainMenuBar(TForm1 *form)
{
    QMenuBar *bar = NewMenuBar(form);
    QMenu *file = bar->addMenu(QStringLiteral("&Файл"));
    AddAction(file, QStringLiteral("&Открыть расчёт…"), QKeySequence::Open,
              [form] { OpenCalculationWithDialog(form); });
    AddRecentMenu(file, form);
    file->addAction(QStringLiteral("Пакетный &расчёт…"), form, [form] { RunBatchWithDialogs(form); });
    file->addSeparator();
    AddAction(file, QStringLiteral("В&ыход"), QKeySequence::Quit, [form] { form->close(); });
    QMenu *help = bar->addMenu(QStringLiteral("&Справка"));
    help->addAction(QStringLiteral("&О программе"), form, [form] { ShowAbout(form); });
    return bar;
}

// Moves the main menu's controls into a client area below the bar, where they keep their designed
// positions, and grows the window by the bar.
void AddMainMenuMenus(TForm1 *form)
{
    const QList<QWidget *> controls = form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QList<QWidget *> tabOrder;
    for (QWidget *control = form->nextInFocusChain(); control != form; control = control->nextInFocusChain()) {
        if (control->focusPolicy() & Qt::TabFocus)
            tabOrder << control;
    }
    QMenuBar *bar = MainMenuBar(form);
    const int barHeight = bar->sizeHint().height();
    bar->setGeometry(0, 0, form->width(), barHeight);
    auto *clientArea = new QWidget(form);
    clientArea->setObjectName(QStringLiteral("ClientArea"));
    clientArea->setGeometry(0, barHeight, form->width(), form->height());
    for (QWidget *control : controls)
        control->setParent(clientArea);
    // Reparenting puts the controls at the end of the tab chain in their creation order.
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    form->setFixedSize(form->width(), form->height() + barHeight);
}

// Closing the main menu ends the program: not before the unsaved files are seen to.
class AskBeforeQuitting : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && !MayQuit(static_cast<QWidget *>(watched))) {
            event->ignore();
            return true;
        }
        return false;
    }
};

} // namespace

void SetUpMainMenu(TForm1 *form)
{
    AddMainMenuMenus(form);
    form->installEventFilter(new AskBeforeQuitting(form));
}

void SetUpCalculations()
{
    for (const CalculatorRow *row : CalculationRows()) {
        // The window a calculator opens for its following calculation is part of its calculation.
        const std::vector<TCalculatorWindow *> windows = ProgramCalculation(*row);
        auto *document = new TCalculationDocument(windows);
        new TDesignCommand(windows.front());
        for (TCalculatorWindow *window : windows)
            AtFirstShow(window, [window, document] { AddCalculatorMenus(window, document); });
    }
}

void OpenFromCommandLine(const QStringList &files)
{
    // Once the main menu is on the screen, so that a message about a file stands over it.
    QTimer::singleShot(0, Form1, [files] {
        for (const QString &path : files) {
            const Outcome<> opened = OpenCalculation(path);
            if (!opened.Failed())
                continue;
            SayError(opened.Message());
            ShowWarning(Form1, opened.Message());
        }
    });
}
