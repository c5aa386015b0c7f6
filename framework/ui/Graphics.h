#pragma once

#include "framework/core/Types.h"

#include <cstdint>
#include <memory>
#include <string>

class QPainter;
class QFont;
class QFontMetricsF;

namespace fw {

class Picture;
enum class FontUnits : std::uint8_t;

// A drawing surface: a cell of a list box, a control, or a Picture. Coordinates are the
// surface's own pixels, origin at its top-left corner. A negative width or height draws nothing.
class Graphics {
public:
    // The painter is borrowed; its origin and clip are already at the surface's corner.
    Graphics(QPainter& painter, Int32 width, Int32 height);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Int32 Width() const { return m_width; }
    Int32 Height() const { return m_height; }

    Color ForeColor() const { return m_foreColor; }
    void ForeColor(Color color);
    // Lines and frames are this many pixels wide, to the right of and below their coordinates;
    // below 1 counts as 1.
    Int32 PenWidth() const { return m_penWidth; }
    void PenWidth(Int32 width);

    void FillRect(Int32 x, Int32 y, Int32 width, Int32 height);
    // The frame lies inside the rectangle: pixels x .. x + width - 1.
    void DrawRect(Int32 x, Int32 y, Int32 width, Int32 height);
    void DrawRoundRect(Int32 x, Int32 y, Int32 width, Int32 height, Int32 arcWidth,
                       Int32 arcHeight);
    void FillRoundRect(Int32 x, Int32 y, Int32 width, Int32 height, Int32 arcWidth,
                       Int32 arcHeight);
    // Both end points included.
    void DrawLine(Int32 x1, Int32 y1, Int32 x2, Int32 y2);
    // The whole picture at its own size.
    void DrawPicture(const Picture& picture, Int32 x, Int32 y);
    // Baseline at y. With condense and a width above 0, the text is kept on one line within
    // width, elided at its end when it does not fit. Without condense the text is drawn as
    // given, on one line.
    void DrawString(const std::string& text, double x, double y, double width = 0,
                    bool condense = false);

    double StringWidth(const std::string& text) const;
    Int32 TextHeight() const;
    Int32 TextAscent() const;
    // The font as resolved now ("System" follows the desktop's font) and the resolution it is
    // measured at: surfaces with equal keys measure every text alike.
    std::string MeasuringKey() const;

    std::string TextFont() const { return m_textFont; }
    void TextFont(const std::string& name);
    double TextSize() const { return m_textSize; }
    void TextSize(double size); // 0 = the framework's default size
    bool Bold() const { return m_bold; }
    void Bold(bool value);
    bool Italic() const { return m_italic; }
    void Italic(bool value);
    bool Underline() const { return m_underline; }
    void Underline(bool value);

    QPainter& Painter() const { return m_painter; }

private:
    friend class TextWidthModel; // measures in m_font
    void ApplyFont();
    bool CanPaint() const;
    QFontMetricsF Metrics() const;

    QPainter& m_painter;
    std::unique_ptr<QFont> m_font; // kept here too: an empty picture has no active painter
    Int32 m_width;
    Int32 m_height;
    Color m_foreColor;
    Int32 m_penWidth = 1;
    std::string m_textFont = "System";
    double m_textSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
};

// The QFont for a framework font description: "System" (or "") is the application's default
// font, "SmallSystem" the same font two points smaller (two pixels when the default is sized
// in pixels), any other name is looked up as fontconfig decides. Size 0 is the default size
// of that font; otherwise size is in points, or in unit: Default and Point are points, Pixel
// pixels, Inch 72 points, Millimeter 72/25.4 points. Sizes stop at 1536 points (2048 pixels).
QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline);
QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline,
               FontUnits unit);

} // namespace fw
