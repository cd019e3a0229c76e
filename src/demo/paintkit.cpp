#include "demo/paintkit.h"

#include "demo/demoworld.h"
#include "mapdata/hexgrid.h"
#include "mapdata/mapdocument.h"
#include "picture/mappicture.h"

namespace maporv {

Point hexCentre(HexCoord hex) {
    return {static_cast<double>(hexCentreX(hex.column)),
            static_cast<double>(hexCentreY(hex.row, hex.column))};
}

std::vector<std::int16_t> hexOfEveryPixel(int width, int height) {
    std::vector<std::int16_t> hexes(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    grid.setMapSize(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const HexPosition hex = grid.pixelToHex(x, y);
            hexes[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)] =
                static_cast<std::int16_t>(MapDocument::inGrid(hex.row, hex.column)
                                              ? hex.row * kMapColumns + hex.column
                                              : -1);
        }
    }
    return hexes;
}

void storePixels(const std::vector<Rgb>& pixels, int width, int height, MapPicture& picture) {
    const auto toByte = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    picture.width = width;
    picture.height = height;
    picture.beginPicture();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = picture.rowPointer(y);
        const Rgb* in =
            pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x, out += 3) {
            out[0] = toByte(in[x].b);
            out[1] = toByte(in[x].g);
            out[2] = toByte(in[x].r);
        }
    }
}

} // namespace maporv
