// Recovery records of any content: refused with a reason, or read whole and the same
// when written again.
#include "editing/recoveryrecord.h"
#include "fuzzscratch.h"
#include "mapdata/mapdocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace maporv;
    const std::string file = fuzz::writeScratchFile("recovery/1-1.rec", data, size);
    const RecoveryRead read = readRecoveryRecord(file);
    if (!read.record) {
        if (read.problem.empty()) {
            fuzz::fail("a record was refused without a reason");
        }
        return 0;
    }
    if (read.record->mapBytes.size() != kMapFileSize) {
        fuzz::fail("a record's map is not a MAP file's size");
    }
    const std::string again = encodeRecoveryRecord(*read.record);
    if (again != std::string(reinterpret_cast<const char*>(data), size)) {
        fuzz::fail("a record read back is not written the same");
    }
    return 0;
}
