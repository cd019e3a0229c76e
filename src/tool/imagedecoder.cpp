#include "tool/imagedecoder.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"
#include "tool/imageheaders.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixelFormat>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>

namespace maporv::tool {
namespace {

// With --fit the tool stays within 512 MB: the program, the editor's picture buffer and
// the scaled picture take up to 64 MB of it, decoding the large picture the rest.
constexpr int kFitDecodingLimitMb = 448;

// The decoders tell the details of a failure (the PNG library's own words, Qt's
// allocation limit) as Qt warnings. While one picture is read they are collected for
// its message instead of reaching stderr as loose lines.
class ReaderWarnings {
public:
    ReaderWarnings() {
        collected().clear();
        previous_ = qInstallMessageHandler(&collect);
    }
    ~ReaderWarnings() { qInstallMessageHandler(previous_); }
    ReaderWarnings(const ReaderWarnings&) = delete;
    ReaderWarnings& operator=(const ReaderWarnings&) = delete;

    QString text() const { return collected().join(QStringLiteral("; ")); }

private:
    static QStringList& collected() {
        static QStringList messages;
        return messages;
    }
    static void collect(QtMsgType, const QMessageLogContext&, const QString& message) {
        collected().append(message.trimmed());
    }

    QtMessageHandler previous_ = nullptr;
};

bool fitsThePicture(const QSize& size) {
    return size.width() <= kMaxPictureWidth && size.height() <= kMaxPictureHeight;
}

// The largest size of the same aspect within the picture's limit (the same both ways),
// at least one pixel each way.
QSize fittedSize(const QSize& size) {
    const std::int64_t longer = std::max(size.width(), size.height());
    auto scaled = [&](int side) {
        return static_cast<int>(std::max<std::int64_t>(
            1, (side * std::int64_t{kMaxPictureWidth} + longer / 2) / longer));
    };
    return QSize(scaled(size.width()), scaled(size.height()));
}

// The memory that decoding a picture larger than the map picture and scaling it down
// takes at its peak, from what its header says. A JPEG is scaled while it is decoded,
// but a progressive one keeps all its coefficients. Any other picture is decoded whole,
// and takes a second copy where the scaling needs other pixels than the decoder's or
// the picture is turned.
std::uint64_t fitDecodingBytes(QImageReader& reader, const std::string& path) {
    if (reader.format() == "jpeg") {
        return jpegCoefficientBytes(path);
    }
    const QSize size = reader.size();
    // A format the header does not tell (GIF, WebP) is decoded to 32-bit pixels.
    const QImage::Format format = reader.imageFormat() == QImage::Format_Invalid
                                      ? QImage::Format_ARGB32
                                      : reader.imageFormat();
    const int bits = QImage::toPixelFormat(format).bitsPerPixel();
    const auto pixels =
        static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height());
    const auto decoded = static_cast<std::uint64_t>(bitmapRowLength(bits, size.width())) *
                         static_cast<std::uint64_t>(size.height());
    // These become the premultiplied pixels of the scaling in place.
    const bool inPlace = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                         format == QImage::Format_ARGB32_Premultiplied ||
                         format == QImage::Format_RGBX64 || format == QImage::Format_RGBA64 ||
                         format == QImage::Format_RGBA64_Premultiplied;
    std::uint64_t copy = inPlace ? 0 : pixels * (bits == 64 ? 8 : 4);
    // libwebp decodes a lossless picture into a buffer of its own, a lossy one's alpha
    // into a plane of its own.
    if (reader.format() == "webp" ||
        reader.transformation() != QImageIOHandler::TransformationNone) {
        copy = std::max(copy, decoded);
    }
    return decoded + copy;
}

// Bits per pixel the decoded image really uses; the padding byte of a 32-bit pixel
// without alpha does not count.
std::uint32_t usedBits(const QImage& image) {
    const QPixelFormat format = image.pixelFormat();
    int bits = format.bitsPerPixel();
    if (format.colorModel() != QPixelFormat::Indexed &&
        format.alphaUsage() == QPixelFormat::IgnoresAlpha) {
        bits -= format.alphaSize();
    }
    return static_cast<std::uint32_t>(bits);
}

// Every pixel laid over the editor's background grey, rounded to the nearest value:
// what the picture looks like where the editor shows it.
QImage flattened(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_RGB32);
    if (source.isNull() || out.isNull()) {
        return QImage();
    }
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            auto over = [alpha](int c) {
                return (c * alpha + kFillByte * (255 - alpha) + 127) / 255;
            };
            row[x] = qRgb(over(qRed(in[x])), over(qGreen(in[x])), over(qBlue(in[x])));
        }
    }
    return out;
}

} // namespace

bool imageReaderKnows(const std::string& path, bool byContent) {
    const QByteArray suffix = QByteArray::fromStdString(toLowerAscii(extensionPart(path))).mid(1);
    if (!suffix.isEmpty() && QImageReader::supportedImageFormats().contains(suffix)) {
        return true;
    }
    return byContent &&
           !QImageReader::imageFormat(QString::fromStdString(resolveExisting(path))).isEmpty();
}

bool decodeImage(const std::string& path, bool fit, std::uint32_t sourceBits, MapPicture& picture,
                 UserInterface& ui) {
    const char* const shownPath = path.c_str();
    auto refuse = [&](const std::string& why) {
        ui.error(strprintf("Cannot read the picture %s: %s", shownPath, why.c_str()));
        return false;
    };
    auto tooLarge = [&](const QSize& size) {
        ui.error(strprintf("%s is %d x %d pixels: a map picture is at most %d x %d (--fit "
                           "scales it down)",
                           shownPath, size.width(), size.height(), kMaxPictureWidth,
                           kMaxPictureHeight));
        return false;
    };
    // The decoders' warnings, also those of reading the header, go into the message.
    const ReaderWarnings warnings;
    const QString file = QString::fromStdString(resolveExisting(path));
    QImageReader reader(file);
    // A photo is turned the way its camera says, as every viewer shows it.
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    // Qt's decoders fill what a file cut short lacks: such a file is refused unread.
    if (const std::string missing = missingImageData(path, format.toStdString());
        !missing.empty()) {
        return refuse(missing);
    }

    // The size is known from the header: a picture too large is refused before it
    // is decoded, and so is one too large to scale down within the memory --fit takes.
    QSize size = reader.size();
    if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)) {
        size.transpose();
    }
    if (size.isValid() && !fitsThePicture(size)) {
        if (!fit) {
            return tooLarge(size);
        }
        const std::uint64_t needed = fitDecodingBytes(reader, path);
        if (needed > std::uint64_t{kFitDecodingLimitMb} << 20) {
            ui.error(strprintf("%s is %d x %d pixels: scaling it down takes %llu MB, more than "
                               "the %d MB --fit may use for a picture",
                               shownPath, size.width(), size.height(),
                               static_cast<unsigned long long>((needed + (1 << 20) - 1) >> 20),
                               kFitDecodingLimitMb));
            return false;
        }
        if (format == "jpeg") {
            // Decoded row by row into the reduced picture.
            reader.setScaledSize(fittedSize(reader.size()));
        }
    }
    if (fit) {
        reader.setAllocationLimit(kFitDecodingLimitMb);
    }

    QImage image = reader.read();
    if (image.isNull()) {
        QString said = QFileInfo(file).size() == 0 ? QStringLiteral("the file is empty")
                                                   : reader.errorString();
        if (!warnings.text().isEmpty()) {
            said += QStringLiteral(" (") + warnings.text() + QStringLiteral(")");
        }
        return refuse(said.toStdString());
    }
    // The JPEG decoder fills what a file cut short lacks and only warns.
    if (warnings.text().contains(QStringLiteral("premature end"), Qt::CaseInsensitive)) {
        return refuse("the file ends inside its image data (" + warnings.text().toStdString() +
                      ")");
    }
    // The GIF decoder keeps the frame for the next one: letting it go leaves the picture
    // with one owner, so converting it in place copies nothing.
    reader.setDevice(nullptr);
    if (!fitsThePicture(image.size()) && !fit) {
        return tooLarge(image.size());
    }
    // GIF pixels are palette indices, whatever Qt turns them into.
    const std::uint32_t bits = sourceBits != 0 ? sourceBits : format == "gif" ? 8 : usedBits(image);

    // Scaling first costs less and gives the same picture up to rounding: the smooth
    // scaling averages premultiplied colours, and laying them over the grey is linear.
    if (!fitsThePicture(image.size())) {
        // The scaling takes premultiplied pixels; converted in place where the depth
        // stays, the large picture is never held twice.
        image.convertTo(image.depth() == 64 ? QImage::Format_RGBA64_Premultiplied
                                            : QImage::Format_ARGB32_Premultiplied);
        image =
            image.scaled(fittedSize(image.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!image.isNull() && image.hasAlphaChannel()) {
        image = flattened(image);
    }
    if (!image.isNull()) {
        image = image.convertToFormat(QImage::Format_BGR888);
    }
    if (image.isNull()) {
        ui.error(strprintf("Not enough memory to convert %s", shownPath));
        return false;
    }
    return picture.loadDecoded(path, image.width(), image.height(), bits, image.constBits(),
                               static_cast<std::size_t>(image.bytesPerLine()));
}

} // namespace maporv::tool
