#pragma once

// Readable failure output for text documents: one line per paragraph, each run in brackets
// with its weight and colour.

#include "datasheet/Texte.h"

#include <cstdio>
#include <ostream>

namespace ploq {

inline void PrintTo(const TextDocument& document, std::ostream* out)
{
    for (const TextParagraph& paragraph : document.paragraphs) {
        *out << "\n  |";
        for (const TextRun& run : paragraph.runs) {
            char colour[16];
            std::snprintf(colour, sizeof colour, "%06x", static_cast<unsigned>(run.colour));
            *out << '[' << (run.bold ? "b " : "") << colour << ' ' << run.text << ']';
        }
    }
}

} // namespace ploq
