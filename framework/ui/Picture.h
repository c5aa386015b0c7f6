#pragma once

#include "framework/core/Object.h"
#include "framework/core/Types.h"

#include <memory>

class QImage;
class QPainter;

namespace fw {

class Graphics;

// An off-screen picture (32-bit) with its own Graphics.
class Picture : public Object {
public:
    Picture(Int32 width, Int32 height, Int32 depth = 32);
    explicit Picture(const QImage& image);
    ~Picture() override;

    std::string_view ClassFullName() const override { return "Picture"; }

    Int32 Width() const;
    Int32 Height() const;
    // The picture's drawing surface; the same object on every call.
    fw::Graphics& Graphics();

    const QImage& Image() const;
    Color Pixel(Int32 x, Int32 y) const;

private:
    std::unique_ptr<QImage> m_image;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<fw::Graphics> m_graphics;
};

using PicturePtr = std::shared_ptr<Picture>;

} // namespace fw
