#pragma once

// The measurement record, its codes and flag words, the capacities of the data arrays and the
// numbering of the windows that hold data.
//
// Conventions: angles are radians in memory and degrees in text. A line is held by its trend
// (clockwise from north, 0..2 pi) and plunge (0 horizontal .. pi/2 vertical, downward); a
// plane by its pole taken in the lower hemisphere (pole trend = dip direction + pi, pole
// plunge = pi/2 - dip). Codes are Windows-1252 bytes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

constexpr double kDegToRad = 0.017453292519943295769;

// Capacities.
constexpr int kMaxValues = 5000;     // measurements in a data sheet or a canvas
constexpr int kMaxAdd = 100;         // additional values of a canvas
constexpr int kMaxPoints = 1501;     // polygon and lasso points, indices 0..1500
constexpr int kMaxNodes = 1951;      // counting-grid nodes, indices 0..1950
constexpr int kMaxTrackdip = 1501;   // Trackdip records, indices 0..1500
constexpr int kMaxWindows = 15;      // data sheets, canvases and text windows, each
constexpr int kCodeLength = 9;       // bytes of a code
constexpr int kValueTextLength = 13; // bytes of the value text of a row

// A length-prefixed text of at most N bytes; longer text is cut to its first N bytes.
template <std::size_t N>
class ShortString {
public:
    ShortString() = default;
    ShortString(std::string_view text) { assign(text); }
    ShortString(const char* text) { assign(text); }
    ShortString(const std::string& text) { assign(text); }

    void assign(std::string_view text)
    {
        length_ = static_cast<std::uint8_t>(std::min(text.size(), N));
        std::copy_n(text.data(), length_, bytes_.begin());
    }
    std::string_view view() const { return {bytes_.data(), length_}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    char operator[](std::size_t i) const { return i < length_ ? bytes_[i] : '\0'; }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.view() == b.view(); }
    friend bool operator==(const ShortString& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const ShortString& a, const char* b) { return a.view() == b; }

private:
    std::uint8_t length_ = 0;
    std::array<char, N> bytes_{};
};

using St9 = ShortString<kCodeLength>;
using St13 = ShortString<kValueTextLength>;

// Bits of InfoVal::inf.
enum InfBit : int {
    kInfPresent = 0,      // drawn on its canvas and taken by analyses and copies
    kInfPlane = 1,        // a plane held by its pole
    kInfFaultMark = 7,    // marked by the fault tools
    kInfHiddenClick = 8,  // hidden by a click or symbol command
    kInfHiddenLasso = 9,  // hidden by a lasso
    kInfDrawPole = 12,    // a plane drawn as its pole symbol
    kInfDrawTrace = 13,   // a plane drawn as its great-circle trace
};

// One measurement.
struct InfoVal {
    double azi = 0;        // trend of the line, or of the pole of the plane
    double pen = 0;        // plunge, 0..pi/2
    std::int32_t p = 0;    // projected pixel x on its canvas
    std::int32_t q = 0;    // projected pixel y (downward)
    std::int32_t inf = 0;  // flag word, InfBit
    std::int32_t nco = 0;  // colour index 0..16
    std::int32_t sy = 0;   // symbol number; negative: the tadpole of symbol -sy
    std::int32_t aux = 0;  // cluster number, sense of striae ...
    St9 nu;                // number code
    St9 na;                // nature code: its first letter tells a line from a plane
    St9 lo;                // location code
    St9 co;                // comment code
};

// Data arrays use entries 1..N and leave entry 0 empty, so that entry k is the k-th value.
using TV = std::vector<InfoVal>;
using TiMM = std::vector<std::int32_t>;
using TrMM = std::vector<double>;
constexpr std::size_t kValueSlots = kMaxValues + 1;

// Bit n (0..23) of a flag word; any other n gives false.
bool TestBit(std::int32_t word, int n);
// Sets or clears bit n (0..23) of the word; any other n leaves it unchanged.
void SetBit(std::int32_t& word, int n, bool flag);

// F, P, S (either case) are planes; A, B, L lines.
bool IsPlane(char firstLetter);
bool IsNatureLetter(char firstLetter);

// The outcome of checking a nature code: its first letter, or the message to show.
struct NatureCheck {
    bool ok = false;
    char letter = '\0';
    std::string message;
};
NatureCheck CheckNature(std::string_view code);

inline constexpr std::string_view kMsgMissingNature = "Missing \"nature\" code";
inline constexpr std::string_view kMsgBadNature =
    "First character of the code nature must be S, F, P, L or A...";

// Selection by a code field: a prefix test with "*" wildcards, a final "/" requiring the
// code to end there. Case counts.
bool MatchCode(std::string_view pattern, std::string_view code);
// Selection by the number formed of the code's digits: "10-20", ">=7", "<5", "12".
bool MatchNumber(std::string_view pattern, std::string_view code);

// Window tags.
constexpr int kTagMain = 0;
constexpr int kTagSheetBase = 0;     // data sheet in slot k: tag k
constexpr int kTagCanvasBase = 255;  // canvas in slot k: tag 255 + k
constexpr int kTagTextBase = 4095;   // text window in slot k: tag 4095 + k
constexpr int kTagFirstDialog = 12304;

enum class TagKind { Main, Sheet, Canvas, Text, Dialog, Other };
TagKind KindOfTag(int tag);

// The slots 1..15 of one kind of window.
class SlotTable {
public:
    // The lowest free slot, now taken, or none when all 15 are taken.
    std::optional<int> take();
    void release(int slot);
    bool used(int slot) const { return slot >= 1 && slot <= kMaxWindows && used_[slot]; }
    int count() const;

private:
    std::array<bool, kMaxWindows + 1> used_{};
};

} // namespace ploq
