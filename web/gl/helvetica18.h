// The desktop toolkit's Helvetica 18 bitmap font as a table of lit pixels, for
// printable ASCII (32 to 126); sizes in pixels. The table (helvetica18.cpp) is
// generated from the desktop, not drawn by hand: web/gl/make_glyph_table.cpp draws
// every glyph with the real glutBitmapCharacter and reads it back, and
// tests/glsub/desktop_check.cpp holds the subset's text to the real font.
#pragma once

#include <array>
#include <cstdint>

namespace glsub {

constexpr int kGlyphMaxRows = 24;

struct Glyph {
    int code;            // ASCII
    float advance;       // pixels the raster position moves right
    int left, bottom;    // lit box's lower-left pixel from the raster position's pixel
    int width, height;   // lit box, pixels
    std::array<std::uint32_t, kGlyphMaxRows> rows;  // bottom row first; bit k = column left + k
};

// The glyph of an ASCII code, or nullptr outside 32 to 126.
const Glyph* helvetica18(int code);

}  // namespace glsub
