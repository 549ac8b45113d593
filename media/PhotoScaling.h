#pragma once

#include <QSize>
#include <QSizeF>

// The size a product photo is shown at in the photo box of 3015 x 2685 twips: a larger
// picture is scaled down, keeping its proportions, by bounding its longer side (the height
// when both are equal); a smaller one keeps its natural size. Sizes in twips, 15 per pixel.
namespace PhotoScaling {

constexpr double BoxWidth = 3015;
constexpr double BoxHeight = 2685;
constexpr int TwipsPerPixel = 15;

QSizeF shownSize(QSizeF natural);
// The shown size of a picture of the given pixel size, rounded to whole pixels.
QSize shownPixels(QSize pictureSize);

} // namespace PhotoScaling
