#pragma once

#include "documents/calculation_file.h"
#include "outcome/outcome.h"

#include <QObject>
#include <QString>

#include <functional>

#include <vector>

class QWidget;
class TCalculatorWindow;

// One calculator's calculation as a document: the windows it spans, the file it is kept in, and whether
// it has changed since it was last opened or saved. The windows' titles show the file.
class TCalculationDocument : public QObject
{
    Q_OBJECT

public:
    // The first window is the calculator; the others belong to its calculation and share its file.
    explicit TCalculationDocument(std::vector<TCalculatorWindow *> windows);

    // The document a window belongs to, if any.
    static TCalculationDocument *Of(const QWidget *window);

    TCalculatorWindow *Calculator() const { return windows_.front(); }
    QString FilePath() const { return path_; }
    bool IsModified() const { return modified_; }

    CalculationRecord Record() const;
    // What keeps the record from filling the document's windows, in Russian; empty when it fits.
    QString MismatchOf(const CalculationRecord &record) const;
    // Fills every window from a record that fits them.
    void Fill(const CalculationRecord &record);
    // Fills the windows from a record read from the file, which becomes the document's file, once the
    // unsaved changes are set aside. A failure when the record does not fit (naming the file) or saving the
    // changes fails, cancelled when the user cancels; the windows are then as they were.
    Outcome<> Open(const CalculationRecord &record, const QString &path);

    // The file menu's commands. Each asks what it must; its failure is the caller's to show.
    Outcome<> NewCalculation();
    Outcome<> Save();
    Outcome<> SaveAs();
    // Writes the calculation to the file and makes it the document's file.
    Outcome<> SaveTo(const QString &path);
    // Over unsaved changes: asks whether to save them first. Cancelled when the user cancels.
    Outcome<> SetAsideChanges();

private:
    void SetFile(const QString &path);
    void SetModified(bool modified);
    void UpdateTitles();
    QString DisplayName() const;

    std::vector<TCalculatorWindow *> windows_;
    std::vector<QString> designedTitles_;
    QString path_;
    bool modified_ = false;
};

// What makes the calculators' windows and documents when a file is to be opened before they exist: the
// program makes them at their first use, after its start.
void MakeCalculationsWhenNeeded(std::function<void()> make);

// Fills the windows that a calculation file belongs to from it, without showing them, once their unsaved
// changes are set aside: the document, or a failure naming the file, or cancelled by the user.
Outcome<TCalculationDocument *> LoadCalculation(const QString &path);

// Opens a calculation file in the window it belongs to and brings that window to the front. When it is not
// opened (a failure naming the file, or cancelled), every window is as it was.
Outcome<> OpenCalculation(const QString &path);

// The same, with a message box for the failure.
void OpenCalculationReporting(const QString &path, QWidget *parent);

// Asks for a file and opens it.
void OpenCalculationWithDialog(QWidget *parent);

// Before the program ends: asks once about the files with unsaved changes, and shows a failure to save them.
// False when the user cancels or saving fails.
bool MayQuit(QWidget *parent);

// The file dialogs' filter.
QString CalculationFilter();
