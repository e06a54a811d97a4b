#include "calculators/complementary/saturation_verdict.h"

QString SaturationVerdict(const Quantity &coefficient, int transistor)
{
    if (coefficient.value() > 8)
        return QStringLiteral("недопустим! См. стр. 24 ");
    return QStringLiteral("Sн%1max в пределах нормы; ").arg(transistor);
}
