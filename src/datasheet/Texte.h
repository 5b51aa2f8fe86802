#pragma once

// The contents of a text window as plain values: paragraphs of runs, each run a Windows-1252
// text with its weight and colour. Text windows save them as plain text or as rich text (Rtf.h);
// this file holds the plain text codec and the file types and names of the save dialog.

#include "platform/Colour.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

struct TextRun {
    std::string text; // Windows-1252, no line breaks
    bool bold = false;
    TColor colour = clBlack;

    friend bool operator==(const TextRun&, const TextRun&) = default;
};

struct TextParagraph {
    std::vector<TextRun> runs;

    // Appends text in a format; a run formatted as the last one joins it, and empty text adds
    // nothing, so that equal contents always have equal runs.
    void append(std::string_view text, bool bold = false, TColor colour = clBlack);
    std::string plain() const;

    friend bool operator==(const TextParagraph&, const TextParagraph&) = default;
};

struct TextDocument {
    std::vector<TextParagraph> paragraphs;

    friend bool operator==(const TextDocument&, const TextDocument&) = default;
};

// How plain text breaks its lines. The texts Ploq writes end every line with CR LF, the last
// one included; a file read keeps its own break, and the break that ends it is an empty last
// line of the text, so that the file saved again is the same bytes.
struct LineBreaks {
    std::string lineBreak = "\r\n";
    bool afterLast = true; // the last paragraph is followed by a break too

    friend bool operator==(const LineBreaks&, const LineBreaks&) = default;
};

// The paragraphs with the break between them, and after the last one when asked; a document
// with nothing in it is no bytes at all.
std::string WritePlainText(const TextDocument& document, const LineBreaks& breaks = {});
// One paragraph per line; lines end with CR LF, LF or CR, and a break at the end of the bytes
// starts an empty last line. The bytes are taken as Windows-1252, so that any file written back
// with its own breaks (LineBreaksOf) is the same bytes.
TextDocument ReadPlainText(std::string_view bytes);
// The breaks a file read with ReadPlainText is written back with: its first line break (CR LF
// when it has none), and none after the last paragraph.
LineBreaks LineBreaksOf(std::string_view bytes);

// Rich text files start with "{\rtf"; anything else is read as plain text.
bool LooksLikeRtf(std::string_view bytes);
// The file's contents as a document, and whether they were rich text.
TextDocument DecodeTextFile(std::string_view bytes, bool& rich);

// What saving with a file type of the save dialog does.
enum class SaveMode { Plain, Rich, Unchanged };

struct TextFileType {
    std::string description; // Windows-1252
    std::string pattern;
    std::string extension; // with its dot; empty: the name is kept as chosen
    SaveMode mode = SaveMode::Unchanged;
};

struct TextSaveTypes {
    std::vector<TextFileType> types;
    int preselected = 0;
};

// The file types offered when saving a text window of a kind (`but`): 0 plain output (and any
// unknown kind), 2 a formatted listing, 4 fault data, 5 the ".cor" layout, 6 the ".fdt" layout.
TextSaveTypes SaveTypesFor(int kind);

// The path without the final extension of its file name: the last "." of the name followed by
// one to four characters. Dots in folder names and earlier dots of the name stay.
std::string WithoutFinalExtension(const std::string& path);
// The path a name chosen with a file type is written to: the type's extension replaces the
// final one; a type without an extension keeps the name as chosen.
std::string PathForType(const std::string& chosen, const TextFileType& type);
// A window's title for its file: the file name without folder (Windows-1252).
std::string TitleForPath(const std::string& path);

// No report comes near this size; reading a larger file would only take the memory and the
// time of many copies of it before any window could show it.
constexpr std::uint64_t kMaxTextFileBytes = 64ull << 20;

// The whole file, or none when it cannot be read or is larger than kMaxTextFileBytes. A given
// `refusal` then receives the message that says so, naming the file (Windows-1252).
std::optional<std::string> ReadFileBytes(const std::string& path, std::string* refusal = nullptr);

} // namespace ploq
