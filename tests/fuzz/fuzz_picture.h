#pragma once

#include "fuzzscratch.h"
#include "picture/mappicture.h"

namespace maporv::fuzz {

// Loads the fuzzed bytes as the given file through the picture's one entry point and
// checks what every loaded picture promises.
inline int loadPicture(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    const std::string file = writeScratchFile(relative, data, size);
    SilentUserInterface ui;
    MapPicture picture(ui);
    if (picture.load(file) && picture.valid) {
        if (picture.width < 0 || picture.width > kMaxPictureWidth || picture.height < 0 ||
            picture.height > kMaxPictureHeight) {
            fail("a picture larger than the buffer was accepted");
        }
        if (static_cast<std::size_t>(picture.rowLength) * static_cast<std::size_t>(picture.height) >
            kPictureBufferSize) {
            fail("the picture's rows do not fit the buffer");
        }
    }
    return 0;
}

} // namespace maporv::fuzz
