#pragma once

#include "framework/core/TextWidths.h"

#include <memory>

namespace fw {

class Graphics;
struct FontWidths;

// Widths of texts in a Graphics' font at its resolution. Exact sums each character's advance
// and each adjacent pair's kerning, both measured once per font through the Graphics, for the
// texts the font's layout tables shape in no other way: Latin and common characters of the
// font itself, without marks, controls, right-to-left text or the pairs and glyphs the
// tables substitute or position otherwise. Every other text is shaped.
class TextWidthModel final : public TextWidths {
public:
    // graphics must outlive the model and keep its font meanwhile.
    explicit TextWidthModel(const Graphics& graphics);
    ~TextWidthModel() override;
    TextWidthModel(const TextWidthModel&) = delete;
    TextWidthModel& operator=(const TextWidthModel&) = delete;

    std::optional<double> Exact(std::string_view text) override;
    double Shaped(std::string_view text) override;
    void Distrust() override;

    // False when Exact gives nothing in this font: its tables could not be judged, or it was
    // distrusted.
    bool Summing() const;

private:
    const Graphics& m_graphics;
    std::shared_ptr<FontWidths> m_font;
};

} // namespace fw
