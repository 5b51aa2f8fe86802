#pragma once

// The text notations of planes and lines: decoding a typed or stored text into the stored
// trend and plunge (radians; a plane by its pole), and writing a direction back as text.

#include <string>
#include <string_view>

namespace ploq {

// The notations in force: FrtS for planes (0..4), FrtL for lines (0..2).
//  planes: 0 strike quadrant dip, 1 dip/dip direction, 2 dip direction/dip,
//          3 pole trend/pole plunge, 4 right-hand-rule strike/dip
//  lines:  0 trend quadrant plunge, 1 plunge/direction, 2 direction/plunge
struct Notation {
    int frtS = 0;
    int frtL = 0;
};

extern const char* const kPlaneNotationLabels[5];
extern const char* const kLineNotationLabels[3];

// The number in a text: digits and one decimal separator ("," or "."), two decimals at most,
// the rest cut off; every other character is dropped ("-3" reads 3, "N30E" reads 30).
// Empty text reads 0. Returns false for text it cannot read: two separators, or an integer part
// beyond the signed 32-bit range.
bool TryReadReal(std::string_view text, double& value);
// As TryReadReal, giving 0 for text it cannot read.
double ReadReal(std::string_view text);

// The result of decoding: the direction in radians, or the number and text of the message
// that explains why the text was refused.
struct DirResult {
    bool ok = false;
    double trend = 0;
    double plunge = 0;
    int messageNo = -1;
    std::string message;
};

// The checked decoder, for what the user types. `letter` is the first letter of the nature
// code. Refusals carry messages 0..12; messages 3..12 start with the text as typed.
DirResult TextToDir(char letter, std::string_view text, const Notation& notation);

// The quiet decoder, for stored text (at most 13 bytes are read): only an empty text (message
// 1) or a bad nature letter (message 0) is refused; anything else yields a direction.
DirResult CellToDir(char letter, std::string_view text, const Notation& notation);

// The direction written in the notation of planes or lines, with one decimal or as integers.
std::string DirToText(bool decimals, bool plane, double plunge, double trend,
                      const Notation& notation);

// "%1.1f" of the value, or the value rounded to an integer.
std::string FormatAngle(bool decimals, double value);
// Precision 0: the rounded integer; 1..3: that many decimals; otherwise no text.
std::string FormatPrec(int precision, double value);

// A typed value keeps one decimal when it was typed with a decimal separator.
bool HasDecimalSeparator(std::string_view text);

// A stored text written again in another notation (the same direction).
std::string Renotate(char letter, std::string_view text, const Notation& from, const Notation& to,
                     bool decimals);

} // namespace ploq
