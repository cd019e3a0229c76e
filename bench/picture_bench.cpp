// Reading and writing the map picture at its largest, 1920 x 1920 pixels: the demo's
// twelve S16 tiles raw and run-length coded, 24-bit and 8-bit BMP files, and the two
// writers. The files live in memory (/dev/shm) when the system has it, so the numbers
// measure the code rather than the disk.

#include "baseline.h"
#include "mapdata/consoleuserinterface.h"
#include "mapdata/paths.h"
#include "picture/mappicture.h"
#include "tool/demoscenario.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <unistd.h>

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

// The benchmark files, made once per run and removed at its end.
class BenchFiles {
public:
    BenchFiles() {
        const fs::path base =
            fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        folder_ = (base / ("maporv-bench-" + std::to_string(::getpid()))).string() + "/";
        fs::create_directories(folder_ + "rle/MAP");
        fs::create_directories(folder_ + "out");
        if (!makeDemoScenario(folder_, ui)) {
            std::exit(1);
        }
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
    }
    ~BenchFiles() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    std::string rawTiles() const { return folder_ + "MAP/MAP0700.s16"; }
    std::string runLengthTiles() const { return folder_ + "rle/MAP/MAP0700.s16"; }
    std::string bmp24() const { return folder_ + "demo24.bmp"; }
    std::string bmp8() const { return folder_ + "demo8.bmp"; }
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

} // namespace
} // namespace maporv::bench
