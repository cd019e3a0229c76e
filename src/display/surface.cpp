#include "display/surface.h"

#include "display/clipper.h"
#include "display/palette.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace maporv {

namespace {

QImage::Format storageFormat(PixelFormat format) {
    return format == PixelFormat::Rgb16 ? QImage::Format_RGB16 : QImage::Format_RGB32;
}

const Palette& defaultPalette() {
    static const Palette palette(Palette::colorCube(false));
    return palette;
}

// Truncates each channel, as copying a 24-bit bitmap onto a 5-6-5 surface does.
std::uint16_t rgb565(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// Identities and versions of all surfaces come from one counter.
std::uint64_t nextVersion() {
    static std::atomic<std::uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

template <typename T>
T* pixelAt(QImage& image, int x, int y) {
    return reinterpret_cast<T*>(image.scanLine(y)) + x;
}

template <typename T>
const T* pixelAt(const QImage& image, int x, int y) {
    return reinterpret_cast<const T*>(image.constScanLine(y)) + x;
}

} // namespace

PixelFormat pixelFormatForDepth(int bitsPerPixel) {
    if (bitsPerPixel == 8) {
        return PixelFormat::Palette8;
    }
    return bitsPerPixel == 16 ? PixelFormat::Rgb16 : PixelFormat::Rgb32;
}

Surface::Surface(int width, int height, PixelFormat format, std::uint32_t caps)
    : format_(format), caps_(caps), id_(nextVersion()), version_(id_) {
    if (width > 0 && height > 0) {
        image_ = QImage(width, height, storageFormat(format));
    }
}

int Surface::depth() const {
    switch (format_) {
    case PixelFormat::Palette8:
        return 8;
    case PixelFormat::Rgb16:
        return 16;
    case PixelFormat::Rgb32:
        break;
    }
    return 32;
}

const Palette& Surface::paletteOrDefault() const {
    return palette_ ? *palette_ : defaultPalette();
}

std::uint32_t Surface::colorValue(std::uint32_t color) const {
    const std::uint32_t r = color & 0xFF;
    const std::uint32_t g = (color >> 8) & 0xFF;
    const std::uint32_t b = (color >> 16) & 0xFF;
    switch (format_) {
    case PixelFormat::Rgb16:
        return rgb565(r, g, b);
    case PixelFormat::Palette8:
        return static_cast<std::uint32_t>(
            paletteOrDefault().nearestIndex((r << 16) | (g << 8) | b));
    case PixelFormat::Rgb32:
        break;
    }
    return (r << 16) | (g << 8) | b;
}

std::uint32_t Surface::storedWord(std::uint32_t value) const {
    switch (format_) {
    case PixelFormat::Rgb16:
        return value & 0xFFFF;
    case PixelFormat::Palette8:
        return paletteOrDefault().rgb(static_cast<int>(value & 0xFF));
    case PixelFormat::Rgb32:
        break;
    }
    return 0xFF000000u | (value & 0x00FFFFFFu);
}

std::uint32_t Surface::valueOf(std::uint32_t word) const {
    switch (format_) {
    case PixelFormat::Rgb16:
        return word & 0xFFFF;
    case PixelFormat::Palette8:
        return static_cast<std::uint32_t>(paletteOrDefault().nearestIndex(word));
    case PixelFormat::Rgb32:
        break;
    }
    return word & 0x00FFFFFFu;
}

std::uint32_t Surface::wordForRgb(std::uint32_t rgb) const {
    switch (format_) {
    case PixelFormat::Rgb16:
        return rgb565((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    case PixelFormat::Palette8: {
        const Palette& palette = paletteOrDefault();
        return palette.rgb(palette.nearestIndex(rgb));
    }
    case PixelFormat::Rgb32:
        break;
    }
    return 0xFF000000u | (rgb & 0x00FFFFFFu);
}

Status Surface::ready(const Surface* other) {
    if (lost_ || (other != nullptr && other->lost_)) {
        return kSurfaceLost;
    }
    if (stillDrawing_ > 0) {
        --stillDrawing_;
        return kStillDrawing;
    }
    return isValid() ? kOk : kFail;
}

Status Surface::readPixel(int x, int y, std::uint32_t& value) const {
    if (lost_ || !isValid()) {
        return kSurfaceLost;
    }
    if (!rect().contains(x, y)) {
        return kInvalidRect;
    }
    if (format_ == PixelFormat::Rgb16) {
        value = valueOf(*pixelAt<std::uint16_t>(image_, x, y));
    } else {
        value = valueOf(*pixelAt<std::uint32_t>(image_, x, y));
    }
    return kOk;
}

std::vector<Rect> Surface::outputParts(const Rect& target) const {
    std::vector<Rect> parts = clipper_ ? clipper_->clip(target) : std::vector<Rect>{target};
    std::vector<Rect> inside;
    for (const Rect& part : parts) {
        const Rect r = part.intersected(rect());
        if (!r.isEmpty()) {
            inside.push_back(r);
        }
    }
    return inside;
}

template <typename T>
void Surface::fillPart(const Rect& part, T word) {
    for (int y = part.top; y < part.bottom; ++y) {
        T* row = pixelAt<T>(image_, part.left, y);
        std::fill_n(row, part.width(), word);
    }
}

Status Surface::fill(const Rect* rect, std::uint32_t value) {
    if (const Status status = ready(nullptr); status != kOk) {
        return status;
    }
    const Rect target = rect != nullptr ? *rect : this->rect();
    if (target.isEmpty()) {
        return kInvalidRect;
    }
    changed();
    const std::uint32_t word = storedWord(value);
    for (const Rect& part : outputParts(target)) {
        if (format_ == PixelFormat::Rgb16) {
            fillPart<std::uint16_t>(part, static_cast<std::uint16_t>(word));
        } else {
            fillPart<std::uint32_t>(part, word);
        }
    }
    return kOk;
}

void Surface::buildRuns() const {
    runs_.clear();
    rowRuns_.assign(static_cast<std::size_t>(height()) + 1, 0);
    const std::uint32_t keyWord = storedWord(key_.value_or(0));
    const auto scan = [&](auto keyPixel) {
        using T = decltype(keyPixel);
        for (int y = 0; y < height(); ++y) {
            rowRuns_[static_cast<std::size_t>(y)] = static_cast<int>(runs_.size());
            const T* row = pixelAt<T>(image_, 0, y);
            int x = 0;
            while (x < width()) {
                while (x < width() && row[x] == keyPixel) {
                    ++x;
                }
                const int start = x;
                while (x < width() && row[x] != keyPixel) {
                    ++x;
                }
                if (x > start) {
                    runs_.push_back({start, x});
                }
            }
        }
        rowRuns_[static_cast<std::size_t>(height())] = static_cast<int>(runs_.size());
    };
    if (format_ == PixelFormat::Rgb16) {
        scan(static_cast<std::uint16_t>(keyWord));
    } else {
        scan(keyWord);
    }
    runsValid_ = true;
}

void Surface::changed() {
    runsValid_ = false;
    version_ = nextVersion();
}

void Surface::setColorKey(std::optional<std::uint32_t> value) {
    key_ = value;
    changed();
    if (key_ && isValid()) {
        buildRuns();
    }
}

void Surface::copyRect(int dx, int dy, const Surface& source, int sx, int sy, int w, int h,
                       bool keyed) {
    if (keyed && source.key_) {
        copyRectKeyed(dx, dy, source, sx, sy, w, h);
        return;
    }
    const std::size_t bytes =
        static_cast<std::size_t>(w) * static_cast<std::size_t>(bytesPerPixel());
    const std::size_t offset = static_cast<std::size_t>(bytesPerPixel());
    // A copy within one surface may overlap: walk the rows away from the overlap.
    const bool upwards = &source == this && dy > sy;
    // Row addresses from the base, without the per-row detach check of scanLine().
    uchar* toBase = image_.bits() + static_cast<std::size_t>(dx) * offset;
    const uchar* fromBase = source.image_.constBits() + static_cast<std::size_t>(sx) * offset;
    const qsizetype toStride = image_.bytesPerLine();
    const qsizetype fromStride = source.image_.bytesPerLine();
    for (int i = 0; i < h; ++i) {
        const int row = upwards ? h - 1 - i : i;
        std::memmove(toBase + (dy + row) * toStride, fromBase + (sy + row) * fromStride, bytes);
    }
}

void Surface::copyRectKeyed(int dx, int dy, const Surface& source, int sx, int sy, int w, int h) {
    if (&source == this) {
        // Rare enough to go through a copy of the source rows.
        QImage rows = image_.copy(sx, sy, w, h);
        Surface copy(0, 0, format_);
        copy.image_ = rows;
        copy.palette_ = palette_;
        copy.setColorKey(key_);
        copyRectKeyed(dx, dy, copy, 0, 0, w, h);
        return;
    }
    if (!source.runsValid_) {
        source.buildRuns();
    }
    const std::size_t bpp = static_cast<std::size_t>(bytesPerPixel());
    const int sourceEnd = sx + w;
    uchar* toBase = image_.bits();
    const uchar* fromBase = source.image_.constBits();
    const qsizetype toStride = image_.bytesPerLine();
    const qsizetype fromStride = source.image_.bytesPerLine();
    for (int i = 0; i < h; ++i) {
        const std::size_t y = static_cast<std::size_t>(sy + i);
        const Run* first = source.runs_.data() + source.rowRuns_[y];
        const Run* last = source.runs_.data() + source.rowRuns_[y + 1];
        // The first run that ends right of the copied columns' start.
        const Run* run =
            std::partition_point(first, last, [sx](const Run& r) { return r.end <= sx; });
        const uchar* from = fromBase + (sy + i) * fromStride;
        uchar* to = toBase + (dy + i) * toStride;
        for (; run != last && run->start < sourceEnd; ++run) {
            const int a = std::max(run->start, sx);
            const int b = std::min(run->end, sourceEnd);
            std::memcpy(to + static_cast<std::size_t>(dx + a - sx) * bpp,
                        from + static_cast<std::size_t>(a) * bpp,
                        static_cast<std::size_t>(b - a) * bpp);
        }
    }
}

Status Surface::copyFrom(int x, int y, const Surface& source, const Rect& sourceRect, bool keyed) {
    if (const Status status = ready(&source); status != kOk) {
        return status;
    }
    if (sourceRect.isEmpty() || sourceRect.left < 0 || sourceRect.top < 0 ||
        sourceRect.right > source.width() || sourceRect.bottom > source.height()) {
        return kInvalidRect;
    }
    if (source.format_ != format_) {
        return kFail;
    }
    const Rect wanted = Rect::fromSize(x, y, sourceRect.width(), sourceRect.height());
    const Rect visible = wanted.intersected(rect());
    if (visible.isEmpty()) {
        return kOk;
    }
    changed();
    copyRect(visible.left, visible.top, source, sourceRect.left + visible.left - x,
             sourceRect.top + visible.top - y, visible.width(), visible.height(), keyed);
    return kOk;
}

template <typename T>
void Surface::stretchPart(const Rect& part, const Rect& destination, const Surface& source,
                          const Rect& sourceRect, bool keyed) {
    // Each destination pixel takes the source pixel under its centre.
    const auto map = [](int offset, int sourceSize, int destinationSize) {
        return static_cast<int>((2LL * offset + 1) * sourceSize / (2LL * destinationSize));
    };
    std::vector<int> columns(static_cast<std::size_t>(part.width()));
    for (int x = part.left; x < part.right; ++x) {
        columns[static_cast<std::size_t>(x - part.left)] =
            sourceRect.left + map(x - destination.left, sourceRect.width(), destination.width());
    }
    const bool skipKey = keyed && source.key_.has_value();
    const T keyWord = static_cast<T>(source.storedWord(source.key_.value_or(0)));
    const int* column = columns.data();
    const std::size_t count = columns.size();
    uchar* toBase = image_.bits();
    const uchar* fromBase = source.image_.constBits();
    const qsizetype toStride = image_.bytesPerLine();
    const qsizetype fromStride = source.image_.bytesPerLine();
    for (int y = part.top; y < part.bottom; ++y) {
        const int sy =
            sourceRect.top + map(y - destination.top, sourceRect.height(), destination.height());
        const T* from = reinterpret_cast<const T*>(fromBase + sy * fromStride);
        T* to = reinterpret_cast<T*>(toBase + y * toStride) + part.left;
        if (skipKey) {
            for (std::size_t i = 0; i < count; ++i) {
                const T pixel = from[column[i]];
                if (pixel != keyWord) {
                    to[i] = pixel;
                }
            }
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                to[i] = from[column[i]];
            }
        }
    }
}

Status Surface::stretchFrom(const Rect* destination, const Surface& source, const Rect* sourceRect,
                            bool keyed) {
    if (const Status status = ready(&source); status != kOk) {
        return status;
    }
    const Rect from = sourceRect != nullptr ? *sourceRect : source.rect();
    const Rect to = destination != nullptr ? *destination : rect();
    if (from.isEmpty() || from.left < 0 || from.top < 0 || from.right > source.width() ||
        from.bottom > source.height() || to.isEmpty()) {
        return kInvalidRect;
    }
    if (source.format_ != format_) {
        return kFail;
    }
    const bool sameSize = from.width() == to.width() && from.height() == to.height();
    // The one case where reading and writing could overlap; scaling rarely meets it.
    if (&source == this && !sameSize) {
        Surface copy(0, 0, format_);
        copy.image_ = image_.copy();
        copy.palette_ = palette_;
        copy.key_ = key_;
        return stretchFrom(destination, copy, &from, keyed);
    }
    changed();
    for (const Rect& part : outputParts(to)) {
        if (sameSize) {
            copyRect(part.left, part.top, source, from.left + part.left - to.left,
                     from.top + part.top - to.top, part.width(), part.height(), keyed);
        } else if (format_ == PixelFormat::Rgb16) {
            stretchPart<std::uint16_t>(part, to, source, from, keyed);
        } else {
            stretchPart<std::uint32_t>(part, to, source, from, keyed);
        }
    }
    return kOk;
}

void Surface::setPalette(std::shared_ptr<const Palette> palette) {
    palette_ = std::move(palette);
    changed();
}

void Surface::setClipper(std::shared_ptr<const Clipper> clipper) {
    clipper_ = std::move(clipper);
}

bool Surface::copyFromImage(const QImage& source) {
    if (lost_ || !isValid()) {
        return false;
    }
    changed();
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(width(), rgb.width());
    const int h = std::min(height(), rgb.height());
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* from = pixelAt<std::uint32_t>(rgb, 0, y);
        if (format_ == PixelFormat::Rgb16) {
            std::uint16_t* to = pixelAt<std::uint16_t>(image_, 0, y);
            for (int x = 0; x < w; ++x) {
                to[x] = static_cast<std::uint16_t>(wordForRgb(from[x]));
            }
        } else {
            std::uint32_t* to = pixelAt<std::uint32_t>(image_, 0, y);
            for (int x = 0; x < w; ++x) {
                to[x] = wordForRgb(from[x]);
            }
        }
    }
    return true;
}

bool Surface::copyBgrRow(int y, const std::uint8_t* bgr, int width) {
    if (lost_ || !isValid() || y < 0 || y >= height()) {
        return false;
    }
    changed();
    const int w = std::min(width, this->width());
    switch (format_) {
    case PixelFormat::Rgb16: {
        std::uint16_t* to = pixelAt<std::uint16_t>(image_, 0, y);
        for (int x = 0; x < w; ++x, bgr += 3) {
            to[x] = rgb565(bgr[2], bgr[1], bgr[0]);
        }
        break;
    }
    case PixelFormat::Rgb32: {
        std::uint32_t* to = pixelAt<std::uint32_t>(image_, 0, y);
        for (int x = 0; x < w; ++x, bgr += 3) {
            to[x] =
                0xFF000000u | (std::uint32_t{bgr[2]} << 16) | (std::uint32_t{bgr[1]} << 8) | bgr[0];
        }
        break;
    }
    case PixelFormat::Palette8: {
        std::uint32_t* to = pixelAt<std::uint32_t>(image_, 0, y);
        for (int x = 0; x < w; ++x, bgr += 3) {
            to[x] =
                wordForRgb((std::uint32_t{bgr[2]} << 16) | (std::uint32_t{bgr[1]} << 8) | bgr[0]);
        }
        break;
    }
    }
    return true;
}

void Surface::mapThroughPalette(const Rect& rect) {
    if (format_ != PixelFormat::Palette8 || !isValid()) {
        return;
    }
    const Rect area = rect.intersected(this->rect());
    if (area.isEmpty()) {
        return;
    }
    changed();
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = pixelAt<std::uint32_t>(image_, area.left, y);
        for (int x = 0; x < area.width(); ++x) {
            row[x] = wordForRgb(row[x]);
        }
    }
}

QImage* Surface::paintTarget() {
    if (lost_ || !isValid()) {
        return nullptr;
    }
    changed();
    return &image_;
}

void Surface::swapPixels(Surface& a, Surface& b) {
    a.image_.swap(b.image_);
    a.changed();
    b.changed();
}

Status Surface::restore() {
    lost_ = false;
    return kOk;
}

} // namespace maporv
