#pragma once

#include <cstdint>
#include <vector>

namespace qzx {

/// Largest picture the capture tool takes, in pixels each way.
constexpr int kMaxCapturePictureSide = 3000;

/// A colour as 0xRRGGBB.
using CaptureRgb = std::uint32_t;

constexpr CaptureRgb kCaptureBlack = 0x000000;
constexpr CaptureRgb kCaptureWhite = 0xFFFFFF;

/// The digitiser's blackness test: only colour value 0 (pure black) counts.
constexpr bool isCaptureBlack(CaptureRgb rgb) {
    return (rgb & 0xFFFFFFu) == kCaptureBlack;
}

/// The picture the capture tool digitises: width x height pixels, x to the right, y downwards.
/// Pixels outside the picture read as white, so searches near the edges need no bounds checks.
class CaptureImage {
public:
    CaptureImage() = default;
    /// A picture of the given size (negative sizes give an empty one) filled with `fill`.
    CaptureImage(int width, int height, CaptureRgb fill = kCaptureWhite);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    CaptureRgb rgb(int x, int y) const {
        return contains(x, y) ? pixels_[index(x, y)] : kCaptureWhite;
    }
    bool isBlack(int x, int y) const { return isCaptureBlack(rgb(x, y)); }

    /// Sets one pixel; a position outside the picture is ignored.
    void setRgb(int x, int y, CaptureRgb rgb) {
        if (contains(x, y)) pixels_[index(x, y)] = rgb & 0xFFFFFFu;
    }
    /// Paints the rectangle from (x1, y1) to (x2, y2), both corners included, cut to the picture.
    void fillRect(int x1, int y1, int x2, int y2, CaptureRgb rgb);

    bool operator==(const CaptureImage&) const = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<CaptureRgb> pixels_;
};

/// The eraser: a white square from (x - 4, y - 4) to (x + 4, y + 4).
void eraseAt(CaptureImage& picture, int x, int y);

/// "Rotate": the picture turned a quarter turn counter-clockwise. The whole picture is kept: a
/// picture W wide and H high becomes H wide and W high, pixel (x, y) going to (y, W - 1 - x), so
/// a non-square scan loses nothing and four turns give the picture back unchanged.
CaptureImage rotateQuarterTurnCounterClockwise(const CaptureImage& picture);

} // namespace qzx
