// The embedded bitmaps: sizes, key colours and cell layouts the view relies on, and
// that they are exactly what the generator draws.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace maporv {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kCyan = 0xFF00FFFF;

QImage bitmap(const QString& name) {
    return QImage(":/bitmaps/" + name + ".bmp");
}

struct Sheet {
    const char* name;
    int width;
    int height;
    QRgb key;
};

constexpr Sheet kViewBitmaps[] = {
    {"160", 116, 369, kWhite}, {"153", 135, 48, kMagenta}, {"159", 115, 94, kWhite},
    {"142", 489, 52, kWhite},  {"139", 489, 81, kWhite},   {"133", 123, 80, kWhite},
    {"144", 337, 11, kSilver}, {"162", 58, 381, kMagenta},
};

TEST(Resources, ViewBitmapsHaveTheirSizeAndKeyColour) {
    for (const Sheet& s : kViewBitmaps) {
        const QImage image = bitmap(s.name);
        ASSERT_FALSE(image.isNull()) << s.name;
        EXPECT_EQ(image.size(), QSize(s.width, s.height)) << s.name;
        EXPECT_EQ(image.pixel(0, 0), s.key) << s.name;
    }
}

TEST(Resources, BitmapsUseOnlyTheSixteenStandardColours) {
    const QList<QRgb> standard = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000,
                                  0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
                                  0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                  0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    for (const QString& file : QDir(":/bitmaps").entryList()) {
        const QImage image(":/bitmaps/" + file);
        ASSERT_FALSE(image.isNull()) << file.toStdString();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ASSERT_TRUE(standard.contains(image.pixel(x, y)))
                    << file.toStdString() << " at " << x << "," << y;
            }
        }
    }
}

TEST(Resources, DialogBitmapsAndProgramIconsLoad) {
    EXPECT_EQ(bitmap("151").size(), QSize(127, 382));
    EXPECT_EQ(bitmap("IDB_GETFILE").size(), QSize(22, 22));
    EXPECT_EQ(bitmap("IDB_GETFILEU").size(), QSize(22, 22));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(QImage(QString(":/icons/maporv-%1.png").arg(size)).size(), QSize(size, size));
    }
}

TEST(Resources, PanelFieldsAreCyanAndButtonsSitUnderTheHotSpots) {
    const QImage panel = bitmap("160");
    // Text boxes: left and top inclusive, right and bottom exclusive.
    for (const QRect& box :
         {QRect(QPoint(2, 59), QPoint(112, 75)), QRect(QPoint(27, 242), QPoint(85, 257)),
          QRect(QPoint(2, 315), QPoint(112, 331))}) {
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                ASSERT_EQ(panel.pixel(x, y), kCyan) << x << "," << y;
            }
        }
    }
    const QRect hotSpots[] = {{5, 88, 16, 16},   {25, 88, 16, 16},  {49, 147, 16, 16},
                              {84, 162, 16, 16}, {84, 207, 16, 16}, {49, 222, 16, 16},
                              {15, 207, 16, 16}, {15, 162, 16, 16}, {5, 341, 16, 16},
                              {95, 341, 16, 16}, {27, 340, 28, 18}, {60, 340, 28, 18},
                              {1, 1, 112, 27}};
    for (const QRect& spot : hotSpots) {
        EXPECT_NE(panel.pixel(spot.center()), kWhite) << spot.x() << "," << spot.y();
        EXPECT_NE(panel.pixel(spot.topLeft() + QPoint(3, 3)), kWhite)
            << spot.x() << "," << spot.y();
    }
}

// Every cell of a sheet holds something besides the key colour.
void expectInkInEveryCell(const QImage& image, QPoint origin, QSize cell, int count,
                          bool vertical) {
    const QRgb key = image.pixel(0, 0);
    for (int i = 0; i < count; ++i) {
        const QPoint at =
            origin + (vertical ? QPoint(0, i * cell.height()) : QPoint(i * cell.width(), 0));
        bool ink = false;
        for (int y = 0; y < cell.height() && !ink; ++y) {
            for (int x = 0; x < cell.width() && !ink; ++x) {
                ink = image.pixel(at.x() + x, at.y() + y) != key;
            }
        }
        EXPECT_TRUE(ink) << "cell " << i << " at " << at.x() << "," << at.y();
    }
}

TEST(Resources, EverySpriteCellIsDrawn) {
    expectInkInEveryCell(bitmap("142"), {0, 0}, {61, 51}, 8, false);
    const QImage roads = bitmap("139");
    expectInkInEveryCell(roads, {0, 0}, {61, 51}, 8, false);
    expectInkInEveryCell(roads, {0, 51}, {24, 16}, 8, false);
    expectInkInEveryCell(roads, {0, 67}, {18, 12}, 8, false);
    const QImage outlines = bitmap("133");
    expectInkInEveryCell(outlines, {0, 0}, {61, 51}, 2, false);
    expectInkInEveryCell(outlines, {0, 51}, {24, 16}, 2, false);
    expectInkInEveryCell(outlines, {0, 67}, {18, 12}, 2, false);
    expectInkInEveryCell(bitmap("144"), {0, 0}, {16, 11}, 21, false);
    expectInkInEveryCell(bitmap("162"), {0, 0}, {58, 19}, 20, true);
}

TEST(Resources, GridOutlinesPassThroughTheHexCorners) {
    const QImage outlines = bitmap("133");
    for (const QPoint& corner : {QPoint(15, 0), QPoint(45, 0), QPoint(60, 25), QPoint(45, 50),
                                 QPoint(15, 50), QPoint(0, 25)}) {
        EXPECT_EQ(outlines.pixel(QPoint(61, 0) + corner), 0xFF000000u);
        EXPECT_EQ(outlines.pixel(corner), 0xFFFF0000u);
    }
    // Strategic cells stop short of the far corners, which the neighbours draw.
    for (const QPoint& corner : {QPoint(7, 0), QPoint(17, 0), QPoint(0, 8)}) {
        EXPECT_EQ(outlines.pixel(QPoint(24, 51) + corner), 0xFF808080u);
    }
    for (const QPoint& corner : {QPoint(5, 0), QPoint(13, 0), QPoint(0, 6)}) {
        EXPECT_EQ(outlines.pixel(QPoint(18, 67) + corner), 0xFF808080u);
    }
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Nobody edits the bitmaps by hand: the committed files are the generator's output
// and the embedded ones are the committed ones.
TEST(Resources, CommittedFilesAreWhatTheGeneratorDraws) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    ASSERT_EQ(QProcess::execute(MAPORV_DRAWBITMAPS, {out.path()}), 0);
    const QDir committed(MAPORV_RESOURCES_DIR);
    for (const char* folder : {"bitmaps", "icons"}) {
        const QStringList drawn = QDir(out.filePath(folder)).entryList(QDir::Files);
        const QStringList kept =
            QDir(committed.filePath(folder)).entryList({"*.bmp", "*.png"}, QDir::Files);
        EXPECT_EQ(drawn, kept) << folder;
        for (const QString& name : kept) {
            const QString path = committed.filePath(QString(folder) + "/" + name);
            const QString generated = out.filePath(QString(folder) + "/" + name);
            if (name.endsWith(".png")) {
                // PNG bytes depend on the compressor; the pixels must match.
                EXPECT_EQ(QImage(generated), QImage(path)) << name.toStdString();
            } else {
                EXPECT_EQ(contents(generated), contents(path)) << name.toStdString();
            }
            EXPECT_EQ(contents(":/" + QString(folder) + "/" + name), contents(path))
                << name.toStdString();
        }
    }
}

} // namespace
} // namespace maporv

int main(int argc, char** argv) {
    // No window is shown; run without a display when started by hand too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
