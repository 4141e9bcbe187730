#include "capture/capture_image.h"

#include <algorithm>

namespace qzx {

CaptureImage::CaptureImage(int width, int height, CaptureRgb fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
              fill & 0xFFFFFFu) {
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
}

void CaptureImage::fillRect(int x1, int y1, int x2, int y2, CaptureRgb rgb) {
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), width_ - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), height_ - 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            pixels_[index(x, y)] = rgb & 0xFFFFFFu;
}

void eraseAt(CaptureImage& picture, int x, int y) {
    picture.fillRect(x - 4, y - 4, x + 4, y + 4, kCaptureWhite);
}

CaptureImage rotateQuarterTurnCounterClockwise(const CaptureImage& picture) {
    const int w = picture.width();
    const int h = picture.height();
    CaptureImage turned(h, w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            turned.setRgb(y, w - 1 - x, picture.rgb(x, y));
    return turned;
}

} // namespace qzx
