#pragma once

#include <QRect>

namespace bearing::ui {

// Both windows were designed in twips, 15 to a pixel at 96 dots per inch. Their layout
// tables keep twips so that each row reads against the design; the pixels the widgets
// get are these, rounded down.
constexpr int twipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips) { return twips / twipsPerPixel; }

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect pixelsFromTwips(const TwipsRect& twips)
{
    return {pixelsFromTwips(twips.left), pixelsFromTwips(twips.top), pixelsFromTwips(twips.width),
        pixelsFromTwips(twips.height)};
}

}  // namespace bearing::ui
