#include "framework/ui/Graphics.h"

#include "framework/ui/Picture.h"
#include "framework/ui/QtConvert.h"
#include "framework/ui/RectControl.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace fw {

namespace {

// Far larger glyphs overflow the font engine's metrics (negative heights), also at a device
// pixel ratio of a few.
constexpr int kMaxFontPixels = 2048;
constexpr double kMaxFontPoints = kMaxFontPixels * 72.0 / 96.0;

} // namespace

QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline) {
    return MakeFont(name, size, bold, italic, underline, FontUnits::Default);
}

QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline,
               FontUnits unit) {
    QFont font = QApplication::font();
    if (name == "SmallSystem") {
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(std::max(1.0, font.pointSizeF() - 2.0));
        } else if (font.pixelSize() > 0) {
            font.setPixelSize(std::max(1, font.pixelSize() - 2));
        }
    } else if (!name.empty() && name != "System") {
        font.setFamilies({QString::fromStdString(name)});
    }
    if (size > 0) {
        switch (unit) {
        case FontUnits::Pixel:
            font.setPixelSize(
                static_cast<int>(std::clamp(size + 0.5, 1.0, static_cast<double>(kMaxFontPixels))));
            break;
        case FontUnits::Inch:
            font.setPointSizeF(std::min(size * 72.0, kMaxFontPoints));
            break;
        case FontUnits::Millimeter:
            font.setPointSizeF(std::min(size * 72.0 / 25.4, kMaxFontPoints));
            break;
        case FontUnits::Default:
        case FontUnits::Point:
        default:
            font.setPointSizeF(std::min(size, kMaxFontPoints));
            break;
        }
    }
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

Graphics::Graphics(QPainter& painter, Int32 width, Int32 height)
    : m_painter(painter), m_font(std::make_unique<QFont>()), m_width(width), m_height(height) {
    if (CanPaint()) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    }
    ApplyFont();
}

bool Graphics::CanPaint() const {
    return m_painter.isActive();
}

QFontMetricsF Graphics::Metrics() const {
    // Measured for the surface's own resolution, as it will be drawn.
    if (CanPaint() && m_painter.device() != nullptr) {
        return QFontMetricsF(*m_font, m_painter.device());
    }
    return QFontMetricsF(*m_font);
}

Graphics::~Graphics() = default;

void Graphics::ForeColor(Color color) {
    m_foreColor = color;
}

void Graphics::PenWidth(Int32 width) {
    m_penWidth = std::max<Int32>(1, width);
}

void Graphics::FillRect(Int32 x, Int32 y, Int32 width, Int32 height) {
    if (width <= 0 || height <= 0 || !CanPaint()) {
        return;
    }
    m_painter.fillRect(QRect(x, y, width, height), ToQColor(m_foreColor));
}

void Graphics::DrawRect(Int32 x, Int32 y, Int32 width, Int32 height) {
    if (width <= 0 || height <= 0 || !CanPaint()) {
        return;
    }
    // Four bands, so the frame is exactly pen-wide and never leaves the rectangle.
    const Int32 pen = m_penWidth;
    if (2 * pen >= width || 2 * pen >= height) {
        FillRect(x, y, width, height);
        return;
    }
    FillRect(x, y, width, pen);
    FillRect(x, y + height - pen, width, pen);
    FillRect(x, y + pen, pen, height - 2 * pen);
    FillRect(x + width - pen, y + pen, pen, height - 2 * pen);
}

namespace {

// The outline of a rounded rectangle whose pen-wide stroke lies inside x .. x + width - 1.
QPainterPath RoundedPath(double x, double y, double width, double height, double arcWidth,
                         double arcHeight) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, width, height), std::max(0.0, arcWidth / 2.0),
                        std::max(0.0, arcHeight / 2.0), Qt::AbsoluteSize);
    return path;
}

} // namespace

void Graphics::DrawRoundRect(Int32 x, Int32 y, Int32 width, Int32 height, Int32 arcWidth,
                             Int32 arcHeight) {
    if (width <= 0 || height <= 0 || !CanPaint()) {
        return;
    }
    const double pen = m_penWidth;
    if (2 * pen >= width || 2 * pen >= height) {
        FillRoundRect(x, y, width, height, arcWidth, arcHeight);
        return;
    }
    // The ring between the outer shape and the shape inset by the pen width, filled: the
    // stroke then stays inside the rectangle at any pen width.
    // Both outlines in one path, filled odd-even: the ring, without a costly path subtraction.
    QPainterPath ring = RoundedPath(x, y, width, height, arcWidth, arcHeight);
    ring.addPath(RoundedPath(x + pen, y + pen, width - 2 * pen, height - 2 * pen,
                             std::max(0.0, arcWidth - 2 * pen),
                             std::max(0.0, arcHeight - 2 * pen)));
    ring.setFillRule(Qt::OddEvenFill);
    m_painter.save();
    m_painter.setClipRect(QRect(x, y, width, height), Qt::IntersectClip);
    m_painter.fillPath(ring, ToQColor(m_foreColor));
    m_painter.restore();
}

void Graphics::FillRoundRect(Int32 x, Int32 y, Int32 width, Int32 height, Int32 arcWidth,
                             Int32 arcHeight) {
    if (width <= 0 || height <= 0 || !CanPaint()) {
        return;
    }
    m_painter.save();
    m_painter.setClipRect(QRect(x, y, width, height), Qt::IntersectClip);
    m_painter.fillPath(RoundedPath(x, y, width, height, arcWidth, arcHeight),
                       ToQColor(m_foreColor));
    m_painter.restore();
}

void Graphics::DrawLine(Int32 x1, Int32 y1, Int32 x2, Int32 y2) {
    if (!CanPaint()) {
        return;
    }
    const Int32 pen = m_penWidth;
    // Each point of the line covers the pen-wide square to its right and below it.
    if (y1 == y2) {
        FillRect(std::min(x1, x2), y1, std::abs(x2 - x1) + 1 + pen - 1, pen);
        return;
    }
    if (x1 == x2) {
        FillRect(x1, std::min(y1, y2), pen, std::abs(y2 - y1) + 1 + pen - 1);
        return;
    }
    // Bresenham: the same pixels on every platform, both end points included.
    const long dx = std::abs(static_cast<long>(x2) - x1);
    const long dy = -std::abs(static_cast<long>(y2) - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    long err = dx + dy;
    long x = x1;
    long y = y1;
    std::vector<QRect> squares;
    squares.reserve(static_cast<size_t>(std::max(dx, -dy) + 1));
    while (true) {
        squares.emplace_back(static_cast<int>(x), static_cast<int>(y), pen, pen);
        if (x == x2 && y == y2) {
            break;
        }
        const long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(m_foreColor));
    m_painter.drawRects(squares.data(), static_cast<int>(squares.size()));
    m_painter.restore();
}

void Graphics::DrawPicture(const Picture& picture, Int32 x, Int32 y) {
    if (!CanPaint() || picture.Image().isNull()) {
        return;
    }
    m_painter.drawImage(QPoint(x, y), picture.Image());
}

void Graphics::DrawString(const std::string& text, double x, double y, double width,
                          bool condense) {
    if (!CanPaint()) {
        return;
    }
    QString qtext = QString::fromStdString(text);
    // One line: a line break would otherwise be drawn as a box or ignored, depending on font.
    if (condense) {
        qtext.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    const QFontMetricsF metrics = Metrics();
    if (condense && width > 0 && metrics.horizontalAdvance(qtext) > width) {
        qtext = metrics.elidedText(qtext, Qt::ElideRight, width);
    }
    m_painter.save();
    m_painter.setPen(ToQColor(m_foreColor));
    m_painter.drawText(QPointF(x, y), qtext);
    m_painter.restore();
}

double Graphics::StringWidth(const std::string& text) const {
    return Metrics().horizontalAdvance(QString::fromStdString(text));
}

std::string Graphics::MeasuringKey() const {
    QString key = m_font->key() + QLatin1Char('|') + QFontInfo(*m_font).family();
    if (CanPaint() && m_painter.device() != nullptr) {
        const QPaintDevice* device = m_painter.device();
        key += QStringLiteral("|%1,%2,%3")
                   .arg(device->logicalDpiX())
                   .arg(device->logicalDpiY())
                   .arg(device->devicePixelRatioF());
    }
    return key.toStdString();
}

Int32 Graphics::TextHeight() const {
    const QFontMetrics metrics = CanPaint() && m_painter.device() != nullptr
                                     ? QFontMetrics(*m_font, m_painter.device())
                                     : QFontMetrics(*m_font);
    return metrics.height();
}

Int32 Graphics::TextAscent() const {
    const QFontMetrics metrics = CanPaint() && m_painter.device() != nullptr
                                     ? QFontMetrics(*m_font, m_painter.device())
                                     : QFontMetrics(*m_font);
    return metrics.ascent();
}

void Graphics::TextFont(const std::string& name) {
    m_textFont = name;
    ApplyFont();
}

void Graphics::TextSize(double size) {
    m_textSize = size < 0 ? 0 : size;
    ApplyFont();
}

void Graphics::Bold(bool value) {
    m_bold = value;
    ApplyFont();
}

void Graphics::Italic(bool value) {
    m_italic = value;
    ApplyFont();
}

void Graphics::Underline(bool value) {
    m_underline = value;
    ApplyFont();
}

void Graphics::ApplyFont() {
    *m_font = MakeFont(m_textFont, m_textSize, m_bold, m_italic, m_underline);
    if (CanPaint()) {
        m_painter.setFont(*m_font);
    }
}

} // namespace fw
