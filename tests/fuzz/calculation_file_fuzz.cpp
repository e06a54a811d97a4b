// Reads any bytes as a calculation file. Whatever it accepts must come back from writing and reading
// again as the same record, and written again as the same bytes; whatever it refuses must be said.

#include "documents/calculation_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Outcome<CalculationRecord> record =
        CalculationFromJson(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!record) {
        if (record.Message().isEmpty()) {
            std::fprintf(stderr, "refused without a reason\n");
            std::abort();
        }
        return 0;
    }
    const QByteArray written = CalculationToJson(*record);
    const Outcome<CalculationRecord> again = CalculationFromJson(written);
    if (!again || !(*again == *record) || CalculationToJson(*again) != written) {
        std::fprintf(stderr, "changed by a trip through the file: %s\n", written.constData());
        std::abort();
    }
    return 0;
}
