#pragma once

// A line known only in part, typed against a plane: its trend alone, its pitch from a named end
// of the strike, its plunge with an unknown trend, or the whole line. The partial forms name a
// line of the plane; the whole line is decoded as any line text. The calculator's line box and
// the striae of a fault are both read here.
//
// Radians in memory, degrees in text; the plane is given by its lower-hemisphere pole.

#include "model/Trigo.h"

#include <string_view>

namespace ploq {

enum class PartialKind {
    None,   // not understood
    Trend,  // "122": the line of the plane in the vertical section of that trend
    Pitch,  // "34N", "N34": the pitch measured from the strike end the letter names
    Plunge, // "?25", "*N25", "?/25": the line(s) of the plane with that plunge
    Full,   // "30 N 20", "20/030": a whole line, to decode in the notation of lines
};

struct PartialLine {
    PartialKind kind = PartialKind::None;
    double value = 0;   // the trend (0..2 pi), pitch or plunge (0..pi/2)
    char letter = '\0'; // N, E, S, W, or none
};

// What the slash notations make of a letter beside the marks of a plunge: a leading "*" or
// "?", with or without a "/" after it, or a leading "/". The quadrant notation reads both alike.
enum class SlashReading {
    // The calculator's reading: a letter gives a pitch whenever the number fits one, marks or
    // not ("?N20", "?/20N"), so a plunge never has a letter; a plunge needs its "/" ("?/20",
    // "/20"), and "?20" is a trend. A letter that gives no pitch is passed over ("N120" a trend).
    // Only three characters of a plunge are read ("?/20.9" is 20).
    PitchFirst,
    // The striae's reading: the marks give a plunge whatever the letter, which picks one of its
    // two lines ("?N20", "?/20N", "?20"); otherwise a letter always means a pitch ("91W" is
    // refused).
    PlungeFirst,
};

// Reads the text in the notation of lines `frtL` (0 quadrant forms, 1 and 2 slash forms). Only
// "*", ".", "/", digits, "?" and the letters N, E, S, W count (a "," is a "."; NE and NW read N,
// SE and SW read S); the letter is the first N, else S, else E, else W. Once the marks and the
// letters are taken away, a number is digits and at most one "." (a stray "/" or "*" is refused,
// not dropped); a quadrant pitch loses only its letter, so "N34E" is refused.
// Quadrant forms: a leading "*" or "?" (a "/" may follow it) gives a plunge below 90, a letter
// first or last a pitch, a letter elsewhere a whole line, no letter a trend. Slash forms: as
// `reading` says of the letter; otherwise a leading "*/", "?/" or "/" gives a plunge, something
// else before a "/" a whole line of plunge and direction in range, no "/" a pitch with a letter
// and a trend without one.
PartialLine ReadPartialLine(std::string_view text, int frtL, SlashReading reading);

// The line(s) of the plane that a trend, pitch or plunge names.
struct LinesInPlane {
    Direction first;
    Direction second; // a plunge's other line; the same as `first` for the other forms
    int choice = 0;   // a plunge: 2 when the letter chose `second`, 1 `first`, 0 when none did
    Direction chosen() const { return choice == 2 ? second : first; }
};
// A plunge without a letter gives its first line as the chosen one; a plunge steeper than the
// plane is taken as the plane's dip. Only for Trend, Pitch and Plunge.
LinesInPlane PartialLineInPlane(const PartialLine& partial, const Direction& pole);

} // namespace ploq
