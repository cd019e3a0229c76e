#include "editing/picturepixels.h"

#include "picture/mappicture.h"

#include <cmath>

namespace maporv {
namespace {

float linearFromSrgb(float value) {
    return value <= 0.04045f ? value / 12.92f : std::pow((value + 0.055f) / 1.055f, 2.4f);
}

float labCurve(float t) {
    constexpr float kDelta = 6.0f / 29.0f;
    return t > kDelta * kDelta * kDelta ? std::cbrt(t)
                                        : t / (3.0f * kDelta * kDelta) + 4.0f / 29.0f;
}

} // namespace

PicturePixels PicturePixels::of(const MapPicture& picture) {
    // The shared buffer holds at most 1920 x 1920 pixels.
    const bool fits = picture.width <= kMaxPictureWidth && picture.height <= kMaxPictureHeight &&
                      static_cast<std::int64_t>(picture.rowLength) * picture.height <=
                          static_cast<std::int64_t>(kPictureBufferSize);
    if (!picture.valid || !fits) {
        return {};
    }
    return {MapPicture::pixels(), picture.width, picture.height, picture.rowLength};
}

bool PicturePixels::usable() const {
    return data != nullptr && width > 0 && height > 0 &&
           static_cast<std::int64_t>(rowLength) >= 3 * static_cast<std::int64_t>(width);
}

LabColour labOfKey(unsigned key) {
    const unsigned r5 = (key >> 11) & 31;
    const unsigned g6 = (key >> 5) & 63;
    const unsigned b5 = key & 31;
    const float r = linearFromSrgb(static_cast<float>((r5 << 3) | (r5 >> 2)) / 255.0f);
    const float g = linearFromSrgb(static_cast<float>((g6 << 2) | (g6 >> 4)) / 255.0f);
    const float b = linearFromSrgb(static_cast<float>((b5 << 3) | (b5 >> 2)) / 255.0f);
    const float x = (0.4124f * r + 0.3576f * g + 0.1805f * b) / 0.95047f;
    const float y = 0.2126f * r + 0.7152f * g + 0.0722f * b;
    const float z = (0.0193f * r + 0.1192f * g + 0.9505f * b) / 1.08883f;
    return {116.0f * labCurve(y) - 16.0f, 500.0f * (labCurve(x) - labCurve(y)),
            200.0f * (labCurve(y) - labCurve(z))};
}

} // namespace maporv
