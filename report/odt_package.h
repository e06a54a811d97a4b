#pragma once

#include <QByteArray>
#include <QMarginsF>

// The ODT package Qt's writer makes, given the page style it lacks: A4 with the margins (millimetres)
// and «стр. N из M» at the foot of every page. Empty when the package cannot be read.
QByteArray WithPageStyle(const QByteArray &odt, const QMarginsF &margins);
