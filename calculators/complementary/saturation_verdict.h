#pragma once

#include "arithmetic/extended.h"

#include <QString>

// The verdict on the saturation coefficient of transistor 1 or 2: above 8 the transistor is
// inadmissible (the method's page 24 says why); 8 itself is still within the norm.
QString SaturationVerdict(const Quantity &coefficient, int transistor);
