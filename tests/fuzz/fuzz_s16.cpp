// Any bytes as the first tile of a set.
#include "fuzz_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return maporv::fuzz::loadPicture("MAP/MAP0500.s16", data, size);
}
