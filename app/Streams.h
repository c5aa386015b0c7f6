#pragma once

#include <cstddef>
#include <string_view>

// The designed properties of the main window and of its list box, as stored property streams:
// each entry is a property name, one blank and the value in the encoding of the property's
// declared type. The streams hold zero bytes anywhere, so they are handled only with their
// byte length, never as zero-terminated text.
inline constexpr std::size_t kWindow1StreamLength = 275;
inline constexpr std::size_t kLb1StreamLength = 1085;

// Applied by Window1's Layout to the window (21 entries).
extern const std::string_view kWindow1Stream;
// Applied by Window1's _CreateControls0 to lb1 (60 entries).
extern const std::string_view kLb1Stream;
