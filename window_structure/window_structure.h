#pragma once

#include <initializer_list>

class QWidget;

// What a window's controls mean, as its designer declares it beside its steps: which step reads each line,
// in what order, which words and unit stand around each edit box, which caption names each result and which
// result each «Примем ...» box takes. Reports, screen-reader names, standard values and the design read it
// through ReadWindow (window_structure/window_reading.h); tests/window_reading_test.cpp checks it against the layout.

// An edit box with the words of the prompt before it and the unit after it.
struct DeclaredBox
{
    const char *name;        // "Edit4"
    const char *words;       // "Примем напряжение Ек"; empty for a box no prompt names
    const char *unit = "";   // "В"; empty for a box beside its prompt's end
    const char *result = ""; // an accept box: the result whose value it takes
};

// A result or verdict with the words that caption it.
struct DeclaredResult
{
    const char *name; // "Label14"
    const char *caption; // "Требуемое напряжение источника питания Ек"; empty when nothing captions it
};

inline constexpr bool kOnTheRowBefore = true;

// One line of the window as read: its anchor (a label, a button that captions results, a lone box or
// result) with its text cut where its boxes stand, one piece more than the boxes (the boxes beside the
// text's end follow an empty piece), and the results it captions, left to right.
struct DeclaredLine
{
    int step;         // the step whose section reads it; 0 before the first step
    const char *kind; // the anchor's kind: heading, note, citation, prompt, button, result, verdict, box, ...
    const char *anchor;
    std::initializer_list<const char *> pieces;
    std::initializer_list<DeclaredBox> boxes = {};
    std::initializer_list<DeclaredResult> results = {};
    bool onTheRowBefore = false; // it stands on the row of the line before it, further right
};

inline constexpr bool kCover = true;
inline constexpr bool kSchematic = false;

struct DeclaredPicture
{
    const char *name;    // "Image2"
    const char *caption; // "Схема триггера"
    bool cover;          // the cover of the cited source, which a report leaves out
};

struct WindowStructure
{
    std::initializer_list<const char *> steps;       // the step buttons, step 1 first
    std::initializer_list<DeclaredPicture> pictures; // top to bottom
    std::initializer_list<DeclaredLine> lines;       // in reading order
};

// Gives the window its structure, a table that outlives it.
void DeclareStructure(QWidget *window, const WindowStructure &structure);
// The window's declared structure; nullptr for a window that declares none.
const WindowStructure *DeclaredStructureOf(const QWidget *window);
