#pragma once

#include "display/surfaceimage.h"

#include <vector>

class QPainter;
class QString;

namespace maporv {

// A picture with clickable rectangles (hot spots) and text fields (text boxes), both
// relative to the panel's top-left corner.
class HotSpotPanel : public SurfaceImage {
public:
    // n fresh rectangles replace the old ones; nothing changes for n below 1.
    void SetHotSpotCount(int n);
    void SetTextBoxCount(int n);
    // (x, y, x + width, y + height).
    void SetHotSpot(int index, int w, int h, int x, int y);
    // At (x, y) with the size of hot spot model.
    void SetHotSpotLike(int index, int model, int x, int y);
    void SetTextBox(int index, int left, int top, int right, int bottom);

    // The first hot spot containing the point (right and bottom edges outside), or -1.
    int HitTest(int x, int y) const;
    // Writes text one pixel inside text box index with the painter's font, pen and
    // background mode; the point is the top of the text, not its baseline.
    void DrawBoxText(QPainter& painter, int index, const QString& text) const;

    int hotSpotCount() const { return static_cast<int>(hotSpots_.size()); }
    int textBoxCount() const { return static_cast<int>(textBoxes_.size()); }
    const Rect& hotSpot(int index) const { return hotSpots_.at(static_cast<std::size_t>(index)); }
    const Rect& textBox(int index) const { return textBoxes_.at(static_cast<std::size_t>(index)); }

private:
    std::vector<Rect> hotSpots_;
    std::vector<Rect> textBoxes_;
};

} // namespace maporv
