// Glyph names of the two named single-byte encodings whose order differs
// from the standard fonts' own: WinAnsiEncoding and MacRomanEncoding.
#pragma once

#include <string_view>

namespace viewer::pdf {

enum class NamedEncoding { WinAnsi, MacRoman };

// The glyph name of a code, "" when the encoding leaves the code unused.
std::string_view GlyphName(NamedEncoding encoding, unsigned char code);

}  // namespace viewer::pdf
