// Reading and writing the map picture at its largest, 1920 x 1920 pixels: the demo's
// twelve S16 tiles raw and run-length coded, 24-bit and 8-bit BMP files, the two
// writers, and a PNG of the demo turned into S16 tiles by maporv-tool's picture
// import. The files live in memory (/dev/shm) when the system has it, so the numbers
// measure the code rather than the disk.

#include "baseline.h"
#include "demoview.h"
#include "mapdata/consoleuserinterface.h"
#include "mapdata/paths.h"
#include "picture/mappicture.h"
#include "tool/pictureimporter.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <time.h>
#include <vector>

namespace maporv::bench {
namespace {

namespace fs = std::filesystem;

// Swallows the writers' "Done !" messages; a failure stops the run.
class BenchUserInterface : public ConsoleUserInterface {
public:
    BenchUserInterface() : ConsoleUserInterface(silent_, silent_) {}

    void showMessage(MessageKind kind, const std::string& text) override {
        if (kind == MessageKind::Error || kind == MessageKind::Warning) {
            std::fprintf(stderr, "maporv_bench: %s\n", text.c_str());
            std::exit(1);
        }
    }

private:
    std::ostream silent_{nullptr};
};

void putU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void putU32(std::string& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

// The same tile with its pixel data as runs of at most 255 equal pixels.
std::string runLengthTile(const std::string& raw) {
    std::string out = raw.substr(0, 44);
    out[36] = 1; // encoding: run-length
    const std::size_t end = raw.size();
    for (std::size_t at = 44; at + 1 < end;) {
        const char low = raw[at];
        const char high = raw[at + 1];
        int count = 1;
        while (count < 255 && at + 2 * count + 1 < end && raw[at + 2 * count] == low &&
               raw[at + 2 * count + 1] == high) {
            ++count;
        }
        out.push_back(static_cast<char>(count));
        out.push_back(low);
        out.push_back(high);
        at += 2 * static_cast<std::size_t>(count);
    }
    return out;
}

// An 8-bit BMP of the picture in the 3-3-2 palette (red, green, blue levels).
std::string eightBitBmp(const MapPicture& picture) {
    const int width = picture.width;
    const int height = picture.height;
    const int rowLength = (width + 3) / 4 * 4;
    std::string out = "BM";
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 54 + 1024);
    for (std::uint32_t field :
         {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
        putU32(out, field);
    }
    putU16(out, 1);
    putU16(out, 8);
    for (std::uint32_t field :
         {0u, static_cast<std::uint32_t>(rowLength * height), 2835u, 2835u, 256u, 0u}) {
        putU32(out, field);
    }
    for (int index = 0; index < 256; ++index) {
        out.push_back(static_cast<char>((index & 3) * 85));
        out.push_back(static_cast<char>(((index >> 2) & 7) * 255 / 7));
        out.push_back(static_cast<char>(((index >> 5) & 7) * 255 / 7));
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* p = picture.pixelAt(0, y);
        for (int x = 0; x < width; ++x, p += 3) {
            out.push_back(static_cast<char>((p[2] >> 5) << 5 | (p[1] >> 5) << 2 | p[0] >> 6));
        }
        out.append(static_cast<std::size_t>(rowLength - width), '\0');
    }
    return out;
}

// The benchmark files beside the demo scenario, made once per run and removed with it.
class BenchFiles {
public:
    BenchFiles() : folder_(DemoFiles::get().folder()) {
        fs::create_directories(folder_ + "rle/MAP");
        fs::create_directories(folder_ + "out");
        for (int x = 0; x < 3; ++x) {
            for (int y = 0; y < 4; ++y) {
                const std::string tile =
                    "MAP/MAP07" + std::to_string(x) + std::to_string(y) + ".s16";
                std::string raw;
                readWholeFile(folder_ + tile, raw);
                writeFileAtomically(folder_ + "rle/" + tile, runLengthTile(raw));
            }
        }
        MapPicture picture(ui);
        picture.load(rawTiles());
        picture.saveBmp(bmp24());
        writeFileAtomically(bmp8(), eightBitBmp(picture));
        // The picture as a paint program saves it: 24-bit PNG, top row first.
        QImage image(picture.width, picture.height, QImage::Format_BGR888);
        for (int y = 0; y < picture.height; ++y) {
            std::memcpy(image.scanLine(y), picture.rowPointer(y),
                        3 * static_cast<std::size_t>(picture.width));
        }
        if (!image.save(QString::fromStdString(png()))) {
            std::exit(1);
        }
    }
    std::string rawTiles() const { return folder_ + "MAP/MAP0700.s16"; }
    std::string runLengthTiles() const { return folder_ + "rle/MAP/MAP0700.s16"; }
    std::string bmp24() const { return folder_ + "demo24.bmp"; }
    std::string bmp8() const { return folder_ + "demo8.bmp"; }
    std::string png() const { return folder_ + "demo.png"; }
    std::string out() const { return folder_ + "out/"; }

    BenchUserInterface ui;

private:
    std::string folder_;
};

BenchFiles& files() {
    static BenchFiles made;
    return made;
}

void loadBenchmark(benchmark::State& state, const std::string& path) {
    MapPicture picture(files().ui);
    if (!picture.load(path) || picture.width != 1920 || picture.height != 1920) {
        state.SkipWithError("the picture did not load");
        return;
    }
    RatioReport ratio(state);
    for (auto _ : state) {
        picture.load(path);
        benchmark::DoNotOptimize(MapPicture::pixels());
    }
}

void BM_LoadS16RawTiles(benchmark::State& state) {
    loadBenchmark(state, files().rawTiles());
}
BENCHMARK(BM_LoadS16RawTiles)->Unit(benchmark::kMillisecond);

void BM_LoadS16RunLengthTiles(benchmark::State& state) {
    loadBenchmark(state, files().runLengthTiles());
}
BENCHMARK(BM_LoadS16RunLengthTiles)->Unit(benchmark::kMillisecond);

void BM_LoadBmp24(benchmark::State& state) {
    loadBenchmark(state, files().bmp24());
}
BENCHMARK(BM_LoadBmp24)->Unit(benchmark::kMillisecond);

void BM_LoadBmp8(benchmark::State& state) {
    loadBenchmark(state, files().bmp8());
}
BENCHMARK(BM_LoadBmp8)->Unit(benchmark::kMillisecond);

void BM_WriteS16Tiles(benchmark::State& state) {
    MapPicture picture(files().ui);
    picture.load(files().bmp24());
    const std::string prefix = files().out() + "MAP07";
    RatioReport ratio(state);
    for (auto _ : state) {
        picture.writeS16Tiles(prefix);
    }
}
BENCHMARK(BM_WriteS16Tiles)->Unit(benchmark::kMillisecond);

void BM_SaveBmp(benchmark::State& state) {
    MapPicture picture(files().ui);
    picture.load(files().bmp24());
    const std::string path = files().out() + "saved.bmp";
    RatioReport ratio(state);
    for (auto _ : state) {
        picture.saveBmp(path);
    }
}
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond);

QImage decodePng() {
    QImageReader reader(QString::fromStdString(files().png()));
    return reader.read();
}

// Wall and CPU seconds since construction; CPU time is the thread's, so other
// programs on a shared machine do not count.
class Stopwatch {
public:
    Stopwatch() : wall_(std::chrono::steady_clock::now()), cpu_(cpuNow()) {}
    double wallSeconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
    }
    double cpuSeconds() const { return cpuNow() - cpu_; }

private:
    static double cpuNow() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

struct Seconds {
    double wall;
    double cpu;
};

// What Qt alone takes to decode the demo's PNG, measured once in this run (medians of
// 9): the yardstick of the import below.
Seconds pngDecodeSeconds() {
    static const Seconds seconds = [] {
        std::vector<double> wall;
        std::vector<double> cpu;
        for (int i = 0; i < 9; ++i) {
            const Stopwatch watch;
            benchmark::DoNotOptimize(decodePng());
            wall.push_back(watch.wallSeconds());
            cpu.push_back(watch.cpuSeconds());
        }
        std::nth_element(wall.begin(), wall.begin() + 4, wall.end());
        std::nth_element(cpu.begin(), cpu.begin() + 4, cpu.end());
        return Seconds{wall[4], cpu[4]};
    }();
    return seconds;
}

void BM_DecodePngQt(benchmark::State& state) {
    if (decodePng().size() != QSize(1920, 1920)) {
        state.SkipWithError("the PNG did not decode");
        return;
    }
    RatioReport ratio(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodePng());
    }
}
BENCHMARK(BM_DecodePngQt)->Unit(benchmark::kMillisecond);

// What maporv-tool picture demo.png --s16-tiles does: the PNG decoded, converted into
// the picture and cut into 12 S16 tiles. x_png_decode is its time over Qt's decoding
// alone, in wall time as every ratio here, and in CPU time.
void BM_PngToS16Tiles(benchmark::State& state) {
    tool::PictureImporter importer(files().ui);
    if (!importer.load(files().png(), false) || importer.picture().width != 1920) {
        state.SkipWithError("the PNG did not load");
        return;
    }
    const std::string prefix = files().out() + "MAP12";
    const Seconds yardstick = pngDecodeSeconds();
    RatioReport ratio(state);
    const Stopwatch watch;
    for (auto _ : state) {
        importer.load(files().png(), false);
        importer.picture().writeS16Tiles(prefix);
    }
    const auto iterations =
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["x_png_decode"] = watch.wallSeconds() / iterations / yardstick.wall;
    state.counters["x_png_decode_cpu"] = watch.cpuSeconds() / iterations / yardstick.cpu;
}
BENCHMARK(BM_PngToS16Tiles)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace maporv::bench
