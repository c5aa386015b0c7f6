#pragma once

#include <optional>
#include <string_view>

namespace fw {

// Measures UTF-8 texts in one font on one surface.
class TextWidths {
public:
    virtual ~TextWidths() = default;
    // The width shaping the text gives, found without shaping it; nothing when only shaping can
    // tell (the text uses what the font shapes in other ways, or the font was distrusted).
    virtual std::optional<double> Exact(std::string_view text) = 0;
    // The width shaping the text gives.
    virtual double Shaped(std::string_view text) = 0;
    // Shaping gave another width than Exact did: Exact gives nothing for this font from now on.
    virtual void Distrust() = 0;
};

} // namespace fw
