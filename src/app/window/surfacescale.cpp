#include "app/window/surfacescale.h"

#include <algorithm>
#include <cstring>

namespace maporv {
namespace {

// Floor division, also for negative numerators.
long long floorDiv(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A 5-6-5 pixel as 32-bit RGB, each channel's top bits repeated into its low bits, as
// Qt's own conversion of RGB16 images gives it.
QRgb expand565(quint16 pixel) {
    const unsigned r = (pixel >> 11) & 0x1F;
    const unsigned g = (pixel >> 5) & 0x3F;
    const unsigned b = pixel & 0x1F;
    return qRgb(static_cast<int>((r << 3) | (r >> 2)), static_cast<int>((g << 2) | (g >> 4)),
                static_cast<int>((b << 3) | (b >> 2)));
}

} // namespace

SurfaceScale::SurfaceScale(QSize surface, QSize area) : surface_(surface), area_(area) {
    if (surface.isEmpty() || area.isEmpty()) {
        return;
    }
    // The larger scale that still fits both ways.
    int width = area.width();
    int height =
        static_cast<int>(static_cast<long long>(width) * surface.height() / surface.width());
    if (height > area.height()) {
        height = area.height();
        width =
            static_cast<int>(static_cast<long long>(height) * surface.width() / surface.height());
    }
    target_ = QRect((area.width() - width) / 2, (area.height() - height) / 2, width, height);
    x_ = makeAxis(surface.width(), width, target_.left());
    y_ = makeAxis(surface.height(), height, target_.top());
}

SurfaceScale::Axis SurfaceScale::makeAxis(int surfaceLength, int targetLength, int offset) {
    Axis axis;
    axis.offset = offset;
    axis.length = targetLength;
    axis.surfaceLength = surfaceLength;
    axis.source.resize(static_cast<std::size_t>(targetLength));
    for (int i = 0; i < targetLength; ++i) {
        axis.source[static_cast<std::size_t>(i)] =
            static_cast<int>((2LL * i + 1) * surfaceLength / (2LL * targetLength));
    }
    // Each surface pixel's run of area pixels, and its middle; a pixel that a
    // reduction skips takes the first area pixel past it.
    axis.middle.resize(static_cast<std::size_t>(surfaceLength));
    int i = 0;
    for (int s = 0; s < surfaceLength; ++s) {
        while (i < targetLength && axis.source[static_cast<std::size_t>(i)] < s) {
            ++i;
        }
        int end = i;
        while (end < targetLength && axis.source[static_cast<std::size_t>(end)] == s) {
            ++end;
        }
        const int first = std::min(i, targetLength - 1);
        axis.middle[static_cast<std::size_t>(s)] = end > i ? (i + end - 1) / 2 : first;
    }
    return axis;
}

int SurfaceScale::toSurface(const Axis& axis, int areaCoordinate) {
    if (axis.length <= 0) {
        return 0;
    }
    const long long d = areaCoordinate - axis.offset;
    if (d >= 0 && d < axis.length) {
        return axis.source[static_cast<std::size_t>(d)];
    }
    return static_cast<int>(floorDiv((2 * d + 1) * axis.surfaceLength, 2LL * axis.length));
}

int SurfaceScale::toArea(const Axis& axis, int surfaceCoordinate) {
    if (axis.surfaceLength <= 0) {
        return axis.offset;
    }
    const int s = std::clamp(surfaceCoordinate, 0, axis.surfaceLength - 1);
    return axis.offset + axis.middle[static_cast<std::size_t>(s)];
}

QPoint SurfaceScale::toSurface(QPoint areaPoint) const {
    return {toSurface(x_, areaPoint.x()), toSurface(y_, areaPoint.y())};
}

QPoint SurfaceScale::toArea(QPoint surfacePoint) const {
    return {toArea(x_, surfacePoint.x()), toArea(y_, surfacePoint.y())};
}

void SurfaceScale::scale(const QImage& source, QImage& target) const {
    if (target.size() != area_ || target.format() != QImage::Format_RGB32) {
        target = QImage(area_, QImage::Format_RGB32);
        target.fill(Qt::black);
    }
    if (target_.isEmpty() || source.size() != surface_) {
        return;
    }
    // The full-screen modes are 16-bit: their pixels are widened while they are picked,
    // instead of converting the whole surface into a new image every frame.
    if (source.format() == QImage::Format_RGB16) {
        scaleRows<quint16>(source, target, expand565);
    } else if (source.format() == QImage::Format_RGB32) {
        scaleRows<QRgb>(source, target, [](QRgb pixel) { return pixel; });
    } else {
        scaleRows<QRgb>(source.convertToFormat(QImage::Format_RGB32), target,
                        [](QRgb pixel) { return pixel; });
    }
}

template <typename Pixel, typename ToRgb>
void SurfaceScale::scaleRows(const QImage& source, QImage& target, ToRgb toRgb) const {
    const int left = target_.left();
    const std::size_t rowBytes = static_cast<std::size_t>(target_.width()) * sizeof(QRgb);
    int previousSource = -1;
    const QRgb* previousRow = nullptr;
    for (int y = 0; y < y_.length; ++y) {
        const int sourceRow = y_.source[static_cast<std::size_t>(y)];
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y_.offset + y)) + left;
        if (sourceRow == previousSource) {
            // Rows that repeat a surface row are copied whole.
            std::memcpy(out, previousRow, rowBytes);
            continue;
        }
        const auto* in = reinterpret_cast<const Pixel*>(source.constScanLine(sourceRow));
        for (int x = 0; x < x_.length; ++x) {
            out[x] = toRgb(in[x_.source[static_cast<std::size_t>(x)]]);
        }
        previousSource = sourceRow;
        previousRow = out;
    }
}

} // namespace maporv
