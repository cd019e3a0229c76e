#pragma once

#include <cstdint>
#include <string>

namespace maporv {
class MapPicture;
class UserInterface;
} // namespace maporv

namespace maporv::tool {

// Qt's image reader, for the pictures the game's formats do not cover (PNG, JPEG, GIF,
// BMP of every kind, TIFF, WebP ...). Only builds with Qt have it; this header is
// Qt-free so the callers are too.

// Whether the image reader takes path: by its extension, or, with byContent, also by
// the first bytes of the file.
bool imageReaderKnows(const std::string& path, bool byContent);

// Decodes path into picture in the picture's 24-bit layout: every depth to its true
// colours, an alpha channel flattened over the editor's 220 grey. A picture larger
// than 1920 pixels either way is refused, or with fit scaled down smoothly to fit
// 1920 x 1920 keeping its aspect. sourceBits is the depth to report (0: the depth of
// the decoded image). Failures are reported through ui, naming the file.
bool decodeImage(const std::string& path, bool fit, std::uint32_t sourceBits, MapPicture& picture,
                 UserInterface& ui);

} // namespace maporv::tool
