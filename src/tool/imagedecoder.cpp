#include "tool/imagedecoder.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"

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

// Qt refuses to decode an image larger than its allocation limit (128 MB, a picture
// of about 5,800 pixels square); with --fit a large scan or photo may take up to
// 512 MB, about 11,000 pixels square, to be scaled down.
constexpr int kFitAllocationLimitMb = 512;

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
    auto tooLarge = [&](const QSize& size) {
        ui.error(strprintf("%s is %d x %d pixels: a map picture is at most %d x %d (--fit "
                           "scales it down)",
                           shownPath, size.width(), size.height(), kMaxPictureWidth,
                           kMaxPictureHeight));
        return false;
    };
    const QString file = QString::fromStdString(resolveExisting(path));
    QImageReader reader(file);
    // A photo is turned the way its camera says, as every viewer shows it.
    reader.setAutoTransform(true);
    if (fit) {
        reader.setAllocationLimit(kFitAllocationLimitMb);
    }

    // The size is known from the header: a picture too large is refused before it
    // is decoded.
    QSize size = reader.size();
    if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)) {
        size.transpose();
    }
    if (!fit && size.isValid() && !fitsThePicture(size)) {
        return tooLarge(size);
    }

    const QByteArray format = reader.format();
    QImage image;
    {
        const ReaderWarnings warnings;
        image = reader.read();
        if (image.isNull()) {
            QString said = QFileInfo(file).size() == 0 ? QStringLiteral("the file is empty")
                                                       : reader.errorString();
            if (!warnings.text().isEmpty()) {
                said += QStringLiteral(" (") + warnings.text() + QStringLiteral(")");
            }
            ui.error(
                strprintf("Cannot read the picture %s: %s", shownPath, said.toStdString().c_str()));
            return false;
        }
    }
    if (!fitsThePicture(image.size()) && !fit) {
        return tooLarge(image.size());
    }
    // GIF pixels are palette indices, whatever Qt turns them into.
    const std::uint32_t bits = sourceBits != 0 ? sourceBits : format == "gif" ? 8 : usedBits(image);

    // Scaling first costs less and gives the same picture up to rounding: the smooth
    // scaling averages premultiplied colours, and laying them over the grey is linear.
    if (!fitsThePicture(image.size())) {
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
