#include "tool/pictureimporter.h"

#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "tool/imagedecoder.h"

#include <cstdint>

namespace maporv::tool {
namespace {

// The bit count of a BMP's header, whatever its kind: the image reader hands every
// depth over as 32-bit pixels, while the depth worth reporting is the file's own.
// 0 when the file is too short to say or no BMP (the decoded depth then counts).
[[maybe_unused]] std::uint32_t bmpBitCount(const std::string& path) {
    InputFile file;
    std::uint8_t head[30] = {};
    if (!file.open(path) || file.read(head, sizeof head) != sizeof head || head[0] != 'B' ||
        head[1] != 'M') {
        return 0;
    }
    // The old 12-byte header keeps its bit count 4 bytes earlier than all later ones.
    return readU16(readU32(head + 14) == 12 ? head + 24 : head + 28);
}

// A message box's text as one line of the console.
[[maybe_unused]] std::string oneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        line += c == '\n' ? std::string(". ") : std::string(1, c);
    }
    return line;
}

} // namespace

PictureImporter::PictureImporter(UserInterface& ui) : ui_(ui), messages_(ui), picture_(messages_) {}

std::vector<std::string> PictureImporter::HeldErrors::release() {
    holding_ = false;
    std::vector<std::string> held;
    held.swap(held_);
    return held;
}

void PictureImporter::HeldErrors::showMessage(MessageKind kind, const std::string& text) {
    if (holding_ && kind == MessageKind::Error) {
        held_.push_back(text);
    } else {
        target_.showMessage(kind, text);
    }
}

bool PictureImporter::load(const std::string& path, bool fit) {
    const std::string extension = toUpperAscii(extensionPart(path));
    if (extension == ".BMP") {
        return loadBmp(path, fit);
    }
    if (extension == ".SHP" || extension == ".S16") {
        return picture_.load(path);
    }
#ifdef MAPORV_TOOL_IMAGES
    if (imageReaderKnows(path, false)) {
        return decodeImage(path, fit, 0, picture_, ui_);
    }
#endif
    // Any other name is read as a tile set, as the editor reads it; a file that is no
    // tile but whose first bytes the image reader knows is still a picture.
    const bool read = picture_.load(path);
    if (!read || picture_.tileCount != 0) {
        return read;
    }
#ifdef MAPORV_TOOL_IMAGES
    if (imageReaderKnows(path, true)) {
        return decodeImage(path, fit, 0, picture_, ui_);
    }
#else
    static_cast<void>(fit);
#endif
    ui_.error(strprintf("%s is not a picture the tool reads: no tile of an S16 or SHP set, and "
                        "of no picture format it knows",
                        path.c_str()));
    return false;
}

bool PictureImporter::loadBmp(const std::string& path, bool fit) {
    messages_.hold();
    const bool read = picture_.load(path);
    const std::vector<std::string> refusals = messages_.release();
    if (read) {
        return true;
    }
#ifdef MAPORV_TOOL_IMAGES
    if (picture_.bmpKindRefused) {
        std::string said;
        for (const std::string& refusal : refusals) {
            said += (said.empty() ? "" : "; ") + oneLine(refusal);
        }
        ui_.showMessage(MessageKind::Warning,
                        said + " (the editor cannot open this BMP; trying the image reader)");
        return decodeImage(path, fit, bmpBitCount(path), picture_, ui_);
    }
#else
    static_cast<void>(fit);
#endif
    // A BMP cut short or otherwise damaged is no picture for any reader.
    for (const std::string& refusal : refusals) {
        ui_.error(refusal);
    }
    return false;
}

} // namespace maporv::tool
