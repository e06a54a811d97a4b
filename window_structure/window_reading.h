#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// A window read as a sighted user reads it: which prompt words and unit stand around each edit box,
// which caption stands before each result, which step each line belongs to, and the order of it all.
// The window declares all of it (window_structure/window_structure.h); the reading finds the controls it names.

// An edit box with the words before it and the unit after it: "Амплитуда положительных импульсов Uки"
// and "В". A box beside its prompt's end, as in "... (минимальное значение) = [  ]", has no unit.
struct BoxReading
{
    QLineEdit *box = nullptr;
    QString words;
    QString unit;
    QLabel *result = nullptr; // an accept box: the result whose value it takes
};

// A result or verdict with the caption that stands before it on its row: "Требуемое напряжение
// источника питания Ек"; empty when nothing does.
struct ResultReading
{
    QLabel *label = nullptr;
    QString caption;
};

// One line of the window as read. Its anchor is a label (or a button that captions a result) with
// its text cut where edit boxes stand in it: the boxes are read in those places, in order, and after
// the last piece come the boxes beside the text's end. Runs of blanks under a symbol letter read as the
// letter; other runs of blanks read as one blank. The results it captions follow it.
struct ReadLine
{
    QString kind; // the anchor's kind: heading, note, citation, prompt, verdict, result, ...
    QWidget *anchor = nullptr;
    QStringList pieces;          // one more than the boxes
    QList<QLineEdit *> boxes;    // the edit boxes, in reading order
    QList<QLabel *> results;     // the results it captions, left to right
    int step = 0;                // the step whose section it is read in; 0 before the first step
    bool onTheRowBefore = false; // it stands on the row of the line before it, further right
};

// A picture with what it shows: the cover of the source, or a schematic.
struct PictureReading
{
    QLabel *label = nullptr;
    QString caption; // "Обложка источника", "Схема триггера"
    bool cover = false;
};

struct WindowReading
{
    QList<QPushButton *> steps;     // the step buttons: step 1 first
    QList<ReadLine> lines;          // in reading order, pictures left out
    QList<BoxReading> boxes;        // every edit box, in reading order
    QList<ResultReading> results;   // every result and verdict, in reading order
    QList<PictureReading> pictures; // top to bottom

    // The step whose section reads the control (a box, result or line anchor); 0 for none or the given data.
    int StepOf(const QWidget *control) const;
};

// The window as its structure declares it; nothing for a window that declares none.
WindowReading ReadWindow(const QWidget *window);
