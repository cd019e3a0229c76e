#pragma once

#include <cstdint>

namespace maporv {

class MapPicture;

// The pixels of a picture as the suggestions read them: a 24-bit bottom-up buffer
// (blue, green, red; rowLength bytes a row), or nothing. The one place that reaches
// into a picture's pixels for them.
struct PicturePixels {
    const std::uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int rowLength = 0;

    // The picture's pixels in the shared buffer; nothing when the picture is not valid
    // or its size does not fit the buffer.
    static PicturePixels of(const MapPicture& picture);

    // False without pixels or with rows shorter than their pixels.
    bool usable() const;
    // The pixel at (x, y), y from the top; inside the picture only.
    const std::uint8_t* at(int x, int y) const {
        return data + static_cast<std::int64_t>(height - 1 - y) * rowLength + 3 * x;
    }
};

// The 5-6-5 key of a blue, green, red pixel: the colours the S16 tiles hold, and the
// index of the colour tables of the suggestions.
inline unsigned colourKey(const std::uint8_t* bgr) {
    return ((bgr[2] >> 3u) << 11u) | ((bgr[1] >> 2u) << 5u) | (bgr[0] >> 3u);
}

// CIELAB (D65 white) of a 5-6-5 colour: lightness 0..100 and the green-red and
// blue-yellow axes.
struct LabColour {
    float lightness = 0.0f;
    float greenRed = 0.0f;
    float blueYellow = 0.0f;
};
LabColour labOfKey(unsigned key);

} // namespace maporv
