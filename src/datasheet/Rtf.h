#pragma once

// Rich text files of the text windows. The writer keeps to what every word processor reads:
// a font table with one font, a colour table, bold, and one \par per paragraph, the text in
// Windows-1252 with \'xx escapes for bytes from 0x80 on. The reader takes any RTF and keeps
// the text, bold and colours; every other control word and group is skipped.

#include "datasheet/Texte.h"

#include <string>
#include <string_view>

namespace ploq {

struct RtfFont {
    std::string name = "Courier New";
    int pointSize = 8;
};

std::string WriteRtf(const TextDocument& document, const RtfFont& font = {});

// Never fails: what cannot be understood is left out. Text after the closing brace of the
// document is ignored.
TextDocument ReadRtf(std::string_view rtf);

} // namespace ploq
