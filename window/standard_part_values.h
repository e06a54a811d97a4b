#pragma once

#include <QList>
#include <QString>

class QLabel;
class QWidget;

// Keeps on a result label the values and the unit its text shows (dynamic properties "keptValues", a
// list of doubles, and "keptUnit", the unit as printed, " Ом"), and refreshes its tooltip and accessible
// description: for a resistance or capacitance, the E24 values around it. Write keeps what a step
// writes; whoever restores a label's text restores these after it. No values: the label keeps none.
void KeepResult(QLabel *label, const QList<double> &values, const QString &unit);
QList<double> KeptValues(const QLabel *label);
QString KeptUnit(const QLabel *label);

// The standard value a report prints beside the result, "E24: 2000 Ом": the one its caption marks
// to accept; empty when it marks none.
QString MarkedStandardValue(const QLabel *label);

// Gives each box where a computed resistor or capacitor is accepted («Примем Rк1 = ...») an item in its
// context menu that types the standard value into it.
void OfferStandardValues(QWidget *window);
