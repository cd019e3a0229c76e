// Pictures from paint programs: every fixture is drawn here and written with Qt's
// image writer, or byte by byte where Qt writes no such file (the BMP variants).

#include "mapdata/consoleuserinterface.h"
#include "mapdata/paths.h"
#include "picture/mappicture.h"
#include "picturefiles.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace maporv::tool {
namespace {

using test::bytes;
using test::le16;
using test::le32;
using test::TempFolder;

// A map-like drawing: colour changes every pixel, and in steps of three along x.
QRgb drawnColour(int x, int y) {
    return qRgb((x / 3 * 40 + y * 7) & 0xFF, (y * 50 + x) & 0xFF, (x * 13 + y * 3) & 0xFF);
}

QImage drawnImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, drawnColour(x, y));
        }
    }
    return image;
}

std::string saved(const TempFolder& temp, const std::string& name, const QImage& image,
                  int quality = -1) {
    const std::string path = temp.path() + name;
    QImageWriter writer(QString::fromStdString(path));
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << name << ": " << writer.errorString().toStdString();
    return path;
}

QImage qtDecoding(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    return reader.read();
}

// The editor's own picture of a file the tool wrote.
struct EditorPicture {
    std::ostringstream messages;
    ConsoleUserInterface ui{messages};
    MapPicture picture{ui};
    bool loaded;
    explicit EditorPicture(const std::string& path) : loaded(picture.load(path)) {}
};

// The largest difference of one colour channel; -1 when the sizes differ.
int largestDifference(const MapPicture& picture, const QImage& image) {
    if (picture.width != image.width() || picture.height != image.height()) {
        return -1;
    }
    int largest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            const test::Rgb p = test::pixelRgb(picture, x, y);
            largest = std::max({largest, std::abs(p.red - qRed(c)), std::abs(p.green - qGreen(c)),
                                std::abs(p.blue - qBlue(c))});
        }
    }
    return largest;
}

// Runs the tool with --bmp and returns the editor's reading of that BMP.
struct Converted {
    ToolResult result;
    EditorPicture bmp;
    Converted(const std::string& input, const std::string& output,
              std::vector<std::string> more = {})
        : result(runToolForTest(withArguments(input, output, std::move(more)))), bmp(output) {}
    static std::vector<std::string> withArguments(const std::string& input,
                                                  const std::string& output,
                                                  std::vector<std::string> more) {
        more.insert(more.begin(), {"picture", input, "--bmp", output});
        return more;
    }
};

TEST(PictureFormats, PicturesOfEveryKindBecomeTheEditorsPicture) {
    TempFolder temp;
    const QImage drawn = drawnImage(37, 23);
    QImage transparent(drawn.size(), QImage::Format_ARGB32);
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            transparent.setPixel(x, y, (drawn.pixel(x, y) & 0xFFFFFF) | ((x * 7) & 0xFF) << 24);
        }
    }
    struct Case {
        std::string file;
        QImage image;
        int quality;
        int bits;
        bool lossless;
    };
    const Case cases[] = {
        {"Plain.png", drawn, -1, 24, true},
        {"Alpha.png", transparent, -1, 32, false},
        {"Indexed.png", drawn.convertToFormat(QImage::Format_Indexed8), -1, 8, false},
        {"Grey.png", drawn.convertToFormat(QImage::Format_Grayscale8), -1, 8, false},
        {"Photo.jpg", drawn, 90, 24, false},
        {"Scan.tif", drawn, -1, 24, true},
        {"Web.webp", drawn, 100, 24, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string input = saved(temp, c.file, c.image, c.quality);
        const Converted converted(input, temp.path() + c.file + ".bmp");
        EXPECT_EQ(converted.result.status, 0);
        EXPECT_EQ(converted.result.err, "");
        EXPECT_EQ(converted.result.out, "picture: " + fileNamePart(c.file) +
                                            " 37x23 tiles=1 bits=" + std::to_string(c.bits) + "\n");
        // The editor reads the export as a 24-bit BMP.
        ASSERT_TRUE(converted.bmp.loaded) << converted.bmp.messages.str();
        EXPECT_EQ(converted.bmp.picture.sourceBits, 24u);

        QImage expected = qtDecoding(input).convertToFormat(QImage::Format_ARGB32);
        if (c.bits == 32) {
            // Laid over the editor's grey, rounded to nearest.
            for (int y = 0; y < expected.height(); ++y) {
                for (int x = 0; x < expected.width(); ++x) {
                    const QRgb p = expected.pixel(x, y);
                    auto over = [a = qAlpha(p)](int v) {
                        return (v * a + 220 * (255 - a) + 127) / 255;
                    };
                    expected.setPixel(x, y, qRgb(over(qRed(p)), over(qGreen(p)), over(qBlue(p))));
                }
            }
            EXPECT_EQ(test::pixelRgb(converted.bmp.picture, 0, 5), (test::Rgb{220, 220, 220}));
        }
        EXPECT_EQ(largestDifference(converted.bmp.picture, expected), 0);
        // Lossless files of the drawing give back the drawing itself.
        if (c.lossless) {
            EXPECT_EQ(largestDifference(converted.bmp.picture, drawn), 0);
        }
    }
}

// BMP variants the editor refuses, as paint programs write them. The 7 x 5 drawing in
// each file's layout: rows bottom first unless top-down, padded to 4 bytes.
std::string bmpRows(int bytesPerPixel, bool topDown,
                    const std::function<std::string(QRgb)>& pixel) {
    std::string rows;
    for (int i = 0; i < 5; ++i) {
        const int y = topDown ? i : 4 - i;
        std::string row;
        for (int x = 0; x < 7; ++x) {
            row += pixel(drawnColour(x, y));
        }
        rows += row + std::string((4 - 7 * bytesPerPixel % 4) % 4, '\0');
    }
    return rows;
}

std::string bgr(QRgb c) {
    return bytes({qBlue(c), qGreen(c), qRed(c)});
}

std::string masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return le32(red) + le32(green) + le32(blue);
}

TEST(PictureFormats, BmpsTheEditorRefusesAreConverted) {
    // Run-length coded 8 bits: the palette holds the drawing's colours, runs of equal
    // indices, each row ended by 0 0, the picture by 0 1.
    std::string palette;
    std::string runs;
    for (int y = 4; y >= 0; --y) {
        for (int x = 0; x < 7;) {
            int count = 1;
            while (x + count < 7 && drawnColour(x + count, y) == drawnColour(x, y)) {
                ++count;
            }
            runs += bytes({count, static_cast<int>(palette.size() / 4)});
            palette += bgr(drawnColour(x, y)) + bytes({0});
            x += count;
        }
        runs += bytes({0, 0});
    }
    runs += bytes({0, 1});

    auto bmp = [](int bits, int height, std::uint32_t headerSize, std::uint32_t compression,
                  std::string extra, std::string rows, std::uint32_t colours = 0) {
        test::BmpSpec spec{bits,    7,          height,     std::move(rows), std::move(extra),
                           colours, headerSize, compression};
        return test::bmpFile(spec);
    };
    const std::string v4Masks = masks(0xFF0000, 0xFF00, 0xFF) + le32(0) + std::string(52, '\0');
    struct Case {
        std::string file;
        std::string bytes;
        std::string refusal;
        int bits;
        int tolerance;
    };
    const Case cases[] = {
        {"Header124.bmp", bmp(24, 5, 124, 0, std::string(84, '\0'), bmpRows(3, false, bgr)),
         "Invalid BMP Header size: 124 <> 40", 24, 0},
        {"Fields32.bmp",
         bmp(32, 5, 108, 3, v4Masks, bmpRows(4, false, [](QRgb c) { return le32(c & 0xFFFFFF); })),
         "No compressed BMP are supported", 32, 0},
        {"Fields565.bmp",
         bmp(16, 5, 40, 3, masks(0xF800, 0x07E0, 0x001F),
             bmpRows(2, false,
                     [](QRgb c) {
                         return le16((qRed(c) >> 3) << 11 | (qGreen(c) >> 2) << 5 | qBlue(c) >> 3);
                     })),
         "No compressed BMP are supported", 16, 8},
        {"Runs.bmp",
         bmp(8, 5, 40, 1, palette, runs, static_cast<std::uint32_t>(palette.size() / 4)),
         "No compressed BMP are supported", 8, 0},
        {"TopDown.bmp", bmp(24, -5, 40, 0, "", bmpRows(3, true, bgr)),
         "Unsupported BMP size: 7 x -5. Only bottom-up BMP of 1 to 1920 pixels each way are "
         "supported",
         24, 0},
    };
    TempFolder temp;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string input = temp.write(c.file, c.bytes);
        const Converted converted(input, input + ".out.bmp");
        EXPECT_EQ(converted.result.status, 0);
        EXPECT_EQ(converted.result.err,
                  c.refusal + " (the editor cannot open this BMP; trying the image reader)\n");
        EXPECT_EQ(converted.result.out, "picture: " + fileNamePart(c.file) +
                                            " 7x5 tiles=1 bits=" + std::to_string(c.bits) + "\n");
        ASSERT_TRUE(converted.bmp.loaded) << converted.bmp.messages.str();
        EXPECT_EQ(largestDifference(converted.bmp.picture, qtDecoding(input)), 0);
        // The drawing itself; 5-6-5 within its rounding.
        EXPECT_LE(largestDifference(converted.bmp.picture, drawnImage(7, 5)), c.tolerance);
    }
}

TEST(PictureFormats, LargePicturesAreRefusedUnlessFittedAndRoundTripThroughS16) {
    TempFolder temp;
    QImage wide = drawnImage(2400, 1200);
    for (int y = 0; y < 1200; ++y) {
        for (int x = 1200; x < 2400; ++x) {
            wide.setPixel(x, y, qRgb(30, 90, 200)); // sea in the east
        }
    }
    const std::string input = saved(temp, "Wide.png", wide);

    const ToolResult refused = runToolForTest({"picture", input, "--bmp", temp.path() + "no.bmp"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, input + " is 2400 x 1200 pixels: a map picture is at most 1920 x 1920 "
                                   "(--fit scales it down)\n");
    EXPECT_FALSE(fileExists(temp.path() + "no.bmp"));

    const std::string out = temp.makeFolder("out");
    const Converted fitted(input, out + "Wide.bmp", {"--fit", "--s16-tiles", out + "MAP12"});
    EXPECT_EQ(fitted.result.status, 0) << fitted.result.err;
    EXPECT_EQ(fitted.result.out, "picture: Wide 1920x960 tiles=1 bits=24\n"
                                 "Done !\nLoaded file has been splitted to 6 S16 Tiles\n");
    ASSERT_TRUE(fitted.bmp.loaded);
    EXPECT_EQ(test::pixelRgb(fitted.bmp.picture, 1900, 480), (test::Rgb{30, 90, 200}));

    // The game's tiles hold the picture within their 5-6-5 rounding.
    EditorPicture tiles(out + "MAP1200.s16");
    ASSERT_EQ(tiles.picture.width, 1920);
    ASSERT_EQ(tiles.picture.height, 960);
    EXPECT_EQ(tiles.picture.tileCount, 6);
    int changed = 0;
    for (int y = 0; y < 960; ++y) {
        for (int x = 0; x < 1920; ++x) {
            const test::Rgb c = test::pixelRgb(fitted.bmp.picture, x, y);
            changed += test::pixelRgb(tiles.picture, x, y) !=
                       test::Rgb{c.red & 0xF8, c.green & 0xFC, c.blue & 0xF8};
        }
    }
    EXPECT_EQ(changed, 0);
}

TEST(PictureFormats, DamagedAndEmptyPicturesAreRefusedSafely) {
    TempFolder temp;
    const std::string whole =
        temp.read(fileNameWithExtension(saved(temp, "Whole.png", drawnImage(300, 200))));
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{8}, std::size_t{40}, whole.size() / 2, whole.size() - 13}) {
        SCOPED_TRACE(cut);
        const std::string input = temp.write("Cut.png", whole.substr(0, cut));
        const ToolResult result =
            runToolForTest({"picture", input, "--bmp", temp.path() + "cut.bmp"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("Cannot read the picture " + input + ": ", 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
        EXPECT_FALSE(fileExists(temp.path() + "cut.bmp"));
    }
    EXPECT_EQ(runToolForTest({"picture", temp.write("Empty.png", "")}).err,
              "Cannot read the picture " + temp.path() + "Empty.png: the file is empty\n");

    // Neither reader knows it: both say so.
    const ToolResult notBmp = runToolForTest({"picture", temp.write("Bad.bmp", "XX not a bitmap")});
    EXPECT_EQ(notBmp.status, 1);
    EXPECT_EQ(notBmp.err, "Invalid BMP type (the editor cannot open this BMP; trying the image "
                          "reader)\nCannot read the picture " +
                              temp.path() + "Bad.bmp: Unsupported image format\n");

    // A name of no known kind is a tile set to the editor; no tile, but a picture.
    const ToolResult renamed = runToolForTest({"picture", temp.write("export.dat", whole)});
    EXPECT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_EQ(renamed.out, "picture: export 300x200 tiles=1 bits=24\n");
}

// A GIF of the drawing in grey (Qt writes none): every code a 9-bit literal, the code
// table cleared before it would grow past 9 bits.
std::string gifFile(int width, int height) {
    std::string out = "GIF89a" + le16(width) + le16(height) + bytes({0xF7, 0, 0});
    for (int i = 0; i < 256; ++i) {
        out += bytes({i, i, i});
    }
    out += bytes({0x2C}) + le32(0) + le16(width) + le16(height) + bytes({0, 8});
    std::string codes;
    std::uint32_t pending = 0;
    int bits = 0;
    auto put = [&](int code) {
        pending |= static_cast<std::uint32_t>(code) << bits;
        for (bits += 9; bits >= 8; bits -= 8, pending >>= 8) {
            codes += static_cast<char>(pending & 0xFF);
        }
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % 254 == 0) {
            put(256);
        }
        put(qGray(drawnColour(i % width, i / width)));
    }
    put(257);
    codes += static_cast<char>(pending);
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::string block = codes.substr(at, 255);
        out += static_cast<char>(block.size()) + block;
    }
    return out + bytes({0, ';'});
}

TEST(PictureFormats, PicturesCutShortAreRefused) {
    TempFolder temp;
    const std::string jpeg =
        temp.read(fileNameWithExtension(saved(temp, "Whole.jpg", drawnImage(300, 200), 90)));
    const std::string gif = gifFile(300, 200);
    const std::string bmp = test::uniformBmp24(300, 200);
    test::BmpSpec v5{24, 7, 5, bmpRows(3, false, bgr), std::string(84, '\0'), 0, 124};
    const std::string bmp124 = test::bmpFile(v5);
    const std::string handedOn = " (the editor cannot open this BMP; trying the image reader)\n";
    struct Case {
        std::string file;
        std::string bytes;
        std::string said; // stderr; "path" stands for the input
    };
    const Case cases[] = {
        {"Cut.jpg", jpeg.substr(0, jpeg.size() / 2),
         "Cannot read the picture path: the file ends inside its image data\n"},
        {"Cut.gif", gif.substr(0, gif.size() / 2),
         "Cannot read the picture path: the file ends inside its image data\n"},
        {"Cut.bmp", bmp.substr(0, bmp.size() / 2), "Incomplete BMP pixel data in path\n"},
        {"Cut124.bmp", bmp124.substr(0, bmp124.size() - 30),
         "Invalid BMP Header size: 124 <> 40" + handedOn +
             "Cannot read the picture path: the file ends 30 bytes before its pixel data does\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string input = temp.write(c.file, c.bytes);
        std::string said = c.said;
        said.replace(said.find("path"), 4, input);
        const ToolResult result = runToolForTest({"picture", input, "--bmp", input + ".out.bmp"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, said);
        EXPECT_FALSE(fileExists(input + ".out.bmp"));
    }
    // Whole, the GIF loads; a PNG named .bmp tells its own depth.
    EXPECT_EQ(runToolForTest({"picture", temp.write("Whole.gif", gif)}).out,
              "picture: Whole 300x200 tiles=1 bits=8\n");
    const std::string png =
        temp.read(fileNameWithExtension(saved(temp, "P.png", drawnImage(7, 5))));
    EXPECT_EQ(runToolForTest({"picture", temp.write("Png.bmp", png)}).out,
              "picture: Png 7x5 tiles=1 bits=24\n");
}

} // namespace
} // namespace maporv::tool
