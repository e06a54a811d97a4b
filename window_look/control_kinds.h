#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// Gives every control under the window the look of its kind. Labels name their kind in the
// dynamic property "kind" (heading, prompt, note, result, verdict, symbol, spare, picture, citation,
// and the main menu's caption, credits, link); edit boxes and buttons are known by their class.
// A control may override its kind's font size with the dynamic property "pixelSize".
void ApplyControlKinds(QWidget *window);

// The font that the label has once its window has given it the look of its kind (at the window's first
// show), whether the window has been shown or not: where its prompts' runs of blanks lie, say.
QFont FontOfKind(const QLabel *label);

// The font of the controls' texts, Tahoma 15.
QFont ControlFont();

// Whether the label is one that steps write: a result or a verdict.
bool IsResultLabel(const QWidget *label);

// Shows a result or verdict label's whole text and sizes the label to it (a hidden window's when it shows).
// What the text says is the window's model (TCalculatorWindow::Write); the label only shows it.
void ShowResultText(QLabel *label, const QString &text);

// Empties a result or verdict label back to its designed placeholder, as it was before any step wrote it.
void ClearResultText(QLabel *label);

// Sizes the labels Write wrote to their texts: those of a hidden window, as it shows.
void FitWrittenLabelsToTexts(QWidget *window);

// The text a Symbol-font label shows: each Latin letter as the Greek letter that font draws for it.
QString SymbolLettersToGreek(const QString &text);
