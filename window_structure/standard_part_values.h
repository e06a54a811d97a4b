#pragma once

#include <QString>

class QLabel;
class QWidget;
struct CalculationModel;
struct ResultValue;

// Tells in a result label's tooltip and accessible description, for a resistance or capacitance it shows,
// the E24 values around it; nothing for any other result.
void ShowStandardValues(QLabel *label, const ResultValue &result);

// The standard value a report prints beside the result its label shows, "E24: 2000 Ом": the one the
// label's caption marks to accept; empty when it marks none.
QString MarkedStandardValue(const QLabel *label, const ResultValue &result);

// Gives each box where a computed resistor or capacitor is accepted («Примем Rк1 = ...») an item in its
// context menu that types the standard value of the model's result into it.
void OfferStandardValues(QWidget *window, const CalculationModel *model);
