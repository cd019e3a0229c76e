// Recovery records of any content, their checksum mended so that fuzzing reaches every field:
// refused with a reason, or read whole and the same when written again (as the same work).
#include "editing/bytehash.h"
#include "editing/recoveryrecord.h"
#include "fuzzscratch.h"
#include "mapdata/mapdocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace maporv;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    // The checksum: the last 8 bytes, little-endian, of all the bytes before them.
    if (bytes.size() >= 8) {
        const std::size_t body = bytes.size() - 8;
        const std::uint64_t sum = ByteHash().add(std::string_view(bytes).substr(0, body)).value();
        for (std::size_t i = 0; i < 8; ++i) {
            bytes[body + i] = static_cast<char>(sum >> (8 * i));
        }
    }
    const std::string file = fuzz::writeScratchFile(
        "recovery/1-1.rec", reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
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
    const RecoveryRead back = decodeRecoveryRecord(again);
    if (!back.record || !sameWork(*back.record, *read.record) ||
        back.record->time != read.record->time ||
        (bytes.compare(8, 4, again, 8, 4) == 0 && again != bytes)) { // the same version
        fuzz::fail("a record read back is not written the same");
    }
    return 0;
}
