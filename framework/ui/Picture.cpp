#include "framework/ui/Picture.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/Graphics.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <string>

namespace fw {

namespace {

// A negative size gives an empty picture; a huge one is refused rather than allocated.
constexpr Int32 kMaxSide = 32767;

Int32 CheckedSide(Int32 value, const char* what) {
    if (value > kMaxSide) {
        throw OutOfBoundsException(std::string("Picture ") + what + " " + std::to_string(value) +
                                   " is too large");
    }
    return std::max<Int32>(0, value);
}

} // namespace

// A new picture is opaque white, the colour of a blank page; depth is accepted for
// compatibility, every picture holds 32-bit pixels.
Picture::Picture(Int32 width, Int32 height, Int32 /*depth*/)
    : m_image(std::make_unique<QImage>(CheckedSide(width, "width"), CheckedSide(height, "height"),
                                       QImage::Format_ARGB32_Premultiplied)) {
    m_image->fill(Qt::white);
}

Picture::Picture(const QImage& image)
    : m_image(
          std::make_unique<QImage>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied))) {}

Picture::~Picture() {
    // The painter must end before its image goes.
    m_graphics.reset();
    if (m_painter && m_painter->isActive()) {
        m_painter->end();
    }
    m_painter.reset();
}

Int32 Picture::Width() const {
    return m_image->width();
}

Int32 Picture::Height() const {
    return m_image->height();
}

fw::Graphics& Picture::Graphics() {
    if (!m_graphics) {
        m_painter = std::make_unique<QPainter>();
        if (!m_image->isNull()) {
            m_painter->begin(m_image.get());
        }
        m_graphics = std::make_unique<fw::Graphics>(*m_painter, Width(), Height());
    }
    return *m_graphics;
}

const QImage& Picture::Image() const {
    return *m_image;
}

Color Picture::Pixel(Int32 x, Int32 y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        throw OutOfBoundsException("Pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                   ") lies outside the picture");
    }
    const QRgb rgb = m_image->pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

} // namespace fw
