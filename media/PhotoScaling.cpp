#include "PhotoScaling.h"

#include <cmath>

namespace PhotoScaling {

QSizeF shownSize(QSizeF natural)
{
    float width = float(natural.width());
    float height = float(natural.height());
    if (height <= 0 || width <= 0)
        return natural;
    const float ratio = width / height;
    if (width > BoxWidth || height > BoxHeight) {
        if (width > height) {
            width = float(BoxWidth);
            height = width / ratio;
        } else {
            height = float(BoxHeight);
            width = ratio * height;
        }
    }
    return QSizeF(width, height);
}

QSize shownPixels(QSize pictureSize)
{
    const QSizeF twips = shownSize(QSizeF(pictureSize) * TwipsPerPixel);
    return QSize(int(std::lround(twips.width() / TwipsPerPixel)), int(std::lround(twips.height() / TwipsPerPixel)));
}

} // namespace PhotoScaling
