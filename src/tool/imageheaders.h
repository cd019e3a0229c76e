#pragma once

#include <cstdint>
#include <string>

namespace maporv::tool {

// What a picture file's own structure tells before it is decoded. Qt's GIF and BMP
// decoders take a file cut short as a whole picture, blank where the data ends, and so
// does its JPEG decoder when an earlier warning hid its report of the early end; the
// JPEG decoder also holds all the coefficients of a progressive file, however far it
// scales the picture down.

// Empty when the file holds all the data of its first image, else what is missing.
// format is the image reader's name of the format; only "gif", "bmp" and "jpeg" are
// checked (a JPEG by the end marker after its first scan).
std::string missingImageData(const std::string& path, const std::string& format);

// The bytes the JPEG decoder keeps for the coefficients of a progressive JPEG (2 for
// each of the 64 of every 8 x 8 block of every component); 0 for a sequential JPEG or
// when the frame header cannot be found.
std::uint64_t jpegCoefficientBytes(const std::string& path);

} // namespace maporv::tool
