#include "documents/calculation_document.h"

#include "documents/recent_files.h"
#include "documents/window_records.h"
#include "files/read_file.h"
#include "files/save_file.h"
#include "number_text/decimal_mark.h"
#include "window/calculator_window.h"
#include "window/designed_window.h"
#include "window/fault_report.h"
#include "window/save_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>


namespace {

std::vector<TCalculationDocument *> gDocuments;
std::function<void()> gMakeCalculations;

QString Quoted(const QString &path)
{
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path));
}

// Save / Don't save / Cancel, in Russian whatever the desktop's language.
QMessageBox::StandardButton AskToSave(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Сохранить"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Не сохранять"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box.setDefaultButton(QMessageBox::Save);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

Failure NotOpened(const QString &path, const QString &reason)
{
    return Failure{QStringLiteral("Не удалось открыть расчёт %1: %2.").arg(Quoted(path), reason)};
}

Outcome<CalculationRecord> ReadCalculationFile(const QString &path)
{
    const Outcome<QByteArray> bytes = ReadFileBytes(path, kLargestCalculationFile);
    if (!bytes)
        return NotOpened(path, bytes.Message());
    Outcome<CalculationRecord> record = CalculationFromJson(*bytes);
    if (!record)
        return NotOpened(path, record.Message());
    return record;
}

TCalculationDocument *DocumentFor(const CalculationRecord &record)
{
    for (TCalculationDocument *document : gDocuments) {
        if (document->Calculator()->objectName() == record.windows.front().window)
            return document;
    }
    return nullptr;
}

} // namespace

TCalculationDocument::TCalculationDocument(std::vector<TCalculatorWindow *> windows)
    : QObject(windows.front()), windows_(std::move(windows))
{
    gDocuments.push_back(this);
    for (TCalculatorWindow *window : windows_) {
        designedTitles_.push_back(window->windowTitle());
        connect(window, &TCalculatorWindow::StepRan, this, [this] { SetModified(true); });
        connect(window, &TCalculatorWindow::SimulationParametersEdited, this, [this] { SetModified(true); });
        connect(window, &TCalculatorWindow::ToleranceComputed, this, [this] { SetModified(true); });
        for (QLineEdit *edit : OwnControls<QLineEdit>(window))
            connect(edit, &QLineEdit::textEdited, this, [this] { SetModified(true); });
    }
    connect(this, &QObject::destroyed, [this] { std::erase(gDocuments, this); });
}

TCalculationDocument *TCalculationDocument::Of(const QWidget *window)
{
    for (TCalculationDocument *document : gDocuments) {
        if (std::find(document->windows_.begin(), document->windows_.end(), window) != document->windows_.end())
            return document;
    }
    return nullptr;
}

CalculationRecord TCalculationDocument::Record() const
{
    return RecordOf(windows_);
}

QString TCalculationDocument::MismatchOf(const CalculationRecord &record) const
{
    if (record.windows.size() != windows_.size())
        return QStringLiteral("в файле %1 окон вместо %2").arg(record.windows.size()).arg(windows_.size());
    for (size_t i = 0; i < windows_.size(); ++i) {
        const QString mismatch = ::MismatchOf(record.windows[i], windows_[i]);
        if (!mismatch.isEmpty())
            return mismatch;
    }
    return {};
}

void TCalculationDocument::Fill(const CalculationRecord &record)
{
    for (size_t i = 0; i < windows_.size(); ++i)
        Restore(windows_[i], record.windows[i], record.decimalMark);
}

Outcome<> TCalculationDocument::Open(const CalculationRecord &record, const QString &path)
{
    if (const QString mismatch = MismatchOf(record); !mismatch.isEmpty())
        return NotOpened(path, mismatch);
    if (Outcome<> setAside = SetAsideChanges(); !setAside)
        return setAside;
    Fill(record);
    SetFile(path);
    return {};
}

Outcome<> TCalculationDocument::NewCalculation()
{
    if (Outcome<> setAside = SetAsideChanges(); !setAside)
        return setAside;
    for (TCalculatorWindow *window : windows_)
        ClearWindow(window);
    SetFile(QString());
    return {};
}

Outcome<> TCalculationDocument::Save()
{
    return path_.isEmpty() ? SaveAs() : SaveTo(path_);
}

Outcome<> TCalculationDocument::SaveAs()
{
    const QString folder = path_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                           : QFileInfo(path_).absolutePath();
    const QString name = path_.isEmpty()
        ? designedTitles_.front().trimmed() + QLatin1Char('.') + QLatin1String(kCalculationExtension)
        : QFileInfo(path_).fileName();
    const Outcome<QString> path = AskSavePath(Calculator(), QStringLiteral("Сохранить расчёт"),
                                              QDir(folder).filePath(name), {CalculationFilter()});
    if (!path)
        return path.Why();
    return SaveTo(*path);
}

Outcome<> TCalculationDocument::SaveTo(const QString &path)
{
    if (const Outcome<> saved = SaveFile(path, CalculationToJson(Record())); !saved)
        return Failure{QStringLiteral("Не удалось сохранить расчёт в %1: %2.\nРасчёт не сохранён.")
                           .arg(Quoted(path), saved.Message())};
    SetFile(path);
    AddRecentCalculation(path);
    return {};
}

Outcome<> TCalculationDocument::SetAsideChanges()
{
    if (!modified_)
        return {};
    switch (AskToSave(Calculator(), QStringLiteral("Сохранить изменения в расчёте %1?").arg(DisplayName()))) {
    case QMessageBox::Save:
        return Save();
    case QMessageBox::Discard:
        return {};
    default:
        return Cancelled{};
    }
}

void TCalculationDocument::SetFile(const QString &path)
{
    path_ = path;
    modified_ = false;
    UpdateTitles();
}

void TCalculationDocument::SetModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    UpdateTitles();
}

void TCalculationDocument::UpdateTitles()
{
    for (size_t i = 0; i < windows_.size(); ++i) {
        // Untitled, a window keeps its designed caption exactly.
        if (path_.isEmpty()) {
            windows_[i]->setWindowTitle(designedTitles_[i]);
            continue;
        }
        windows_[i]->setWindowTitle(QFileInfo(path_).fileName() + QStringLiteral("[*] — ") + designedTitles_[i]);
        windows_[i]->setWindowModified(modified_);
    }
}

QString TCalculationDocument::DisplayName() const
{
    return path_.isEmpty() ? QStringLiteral("«%1»").arg(designedTitles_.front().trimmed()) : Quoted(path_);
}

void MakeCalculationsWhenNeeded(std::function<void()> make)
{
    gMakeCalculations = std::move(make);
}

Outcome<TCalculationDocument *> LoadCalculation(const QString &path)
{
    const Outcome<CalculationRecord> record = ReadCalculationFile(path);
    if (!record)
        return record.Why();
    if (gMakeCalculations)
        gMakeCalculations();
    TCalculationDocument *document = DocumentFor(*record);
    if (!document)
        return NotOpened(path, QStringLiteral("в программе нет окна «%1»").arg(record->windows.front().window));
    if (Outcome<> opened = document->Open(*record, path); !opened)
        return opened.Why();
    return document;
}

Outcome<> OpenCalculation(const QString &path)
{
    const Outcome<TCalculationDocument *> document = LoadCalculation(path);
    if (!document)
        return document.Why();
    AddRecentCalculation(path);
    BringToFront((*document)->Calculator());
    return {};
}

void OpenCalculationReporting(const QString &path, QWidget *parent)
{
    ShowFailure(parent, OpenCalculation(path));
}

void OpenCalculationWithDialog(QWidget *parent)
{
    const TCalculationDocument *current = TCalculationDocument::Of(parent);
    const QString folder = current && !current->FilePath().isEmpty()
        ? QFileInfo(current->FilePath()).absolutePath()
        : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Открыть расчёт"), folder, CalculationFilter());
    if (!path.isEmpty())
        OpenCalculationReporting(path, parent);
}

bool MayQuit(QWidget *parent)
{
    std::vector<TCalculationDocument *> unsaved;
    QStringList names;
    for (TCalculationDocument *document : gDocuments) {
        // Untitled calculations end without a question, as they always have.
        if (document->IsModified() && !document->FilePath().isEmpty()) {
            unsaved.push_back(document);
            names << QDir::toNativeSeparators(document->FilePath());
        }
    }
    if (unsaved.empty())
        return true;
    switch (AskToSave(parent, QStringLiteral("Сохранить изменения в расчётах?\n\n") + names.join(QLatin1Char('\n')))) {
    case QMessageBox::Save:
        return std::all_of(unsaved.begin(), unsaved.end(), [](TCalculationDocument *document) {
            const Outcome<> saved = document->Save();
            ShowFailure(document->Calculator(), saved);
            return saved.Done();
        });
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

QString CalculationFilter()
{
    return QStringLiteral("Расчёты Ортикс-Т (*.%1)").arg(QLatin1String(kCalculationExtension));
}
