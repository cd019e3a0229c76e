// Any bytes as a BMP file.
#include "fuzz_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return maporv::fuzz::loadPicture("MAP/F.bmp", data, size);
}
