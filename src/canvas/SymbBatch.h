#pragma once

// Symbol batch files (".pqb"): a list that gives measurement codes a symbol and a colour. The file
// is a plain run of 13-byte records, no header:
//   0      code length, 0..9
//   1..10  the code bytes (the first `length` are used)
//   11     symbol, signed byte (negative: the tadpole)
//   12     colour index, unsigned byte
// The same table is read back from the lines of the options dialog's list and from the legend
// of a canvas. Entries that would draw with a symbol or colour that does not exist are skipped
// and told, never used.

#include "canvas/UtilDessin.h"
#include "model/TypesGlob.h"
#include "platform/Prompts.h"

#include <array>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

constexpr int kMaxBatch = 50; // entries of TabBatch
constexpr std::size_t kBatchRecordSize = 13;
using BatchBytes = std::array<unsigned char, kBatchRecordSize>;

// Where LireBatch reads the table from.
enum BatchMode {
    kBatchOptionsList = 0,  // the lines of the options dialog's list
    kBatchCanvasLegend = 1, // the legend of a canvas
    kBatchFile = 2,         // the file NomFBatch
};

inline constexpr std::string_view kBatchUndefined = "undefined"; // NomFBatch when none is chosen
inline constexpr std::string_view kMsgBatchNotFound =
    "Symbols file not found, reselect it.. (go to \"Options\")";

struct BatchEntry {
    St9 code;
    int sy = 1; // measurement symbol 1..16, or -1..-16 for its tadpole
    int co = 0; // colour index 0..16
    friend bool operator==(const BatchEntry&, const BatchEntry&) = default;
};

// What reading a batch gives: the entries TabBatch[0..NbBatch-1] (entry k of the table is
// TabBatch[k-1]), the title of the legend, and the entries skipped, one text for each.
struct BatchTable {
    std::vector<BatchEntry> TabBatch;
    std::string title;
    std::vector<std::string> skipped;
    // The whole read failed (file not found, read error): show it and keep the previous table.
    std::optional<Message> error;

    int NbBatch() const { return static_cast<int>(TabBatch.size()); }
};

// The symbols a batch may give measurements: those of the symbol menu and their tadpoles.
bool IsBatchSymbol(int sy);
bool IsColourIndex(int co);

BatchBytes EncodeBatch(const BatchEntry& entry);

// Whole records up to the end of the stream, at most `maxRecords`; a read error sets `error`.
BatchTable ReadBatchStream(std::istream& in, std::size_t maxRecords = kMaxBatch);
// The records in order; false when the stream failed.
bool WriteBatchStream(std::ostream& out, std::span<const BatchEntry> entries);

// LireBatch, file mode: the first 50 records of the file; the title is its name without its
// extension. A file that cannot be opened (or the name "undefined") gives kMsgBatchNotFound.
BatchTable LireBatchFile(const std::string& path, std::size_t maxRecords = kMaxBatch);
// Every record, as the options dialog lists them.
BatchTable LireBatchFileAll(const std::string& path);
// Replaces the file with the entries; the message to show when that failed (the file is then as
// it was).
std::optional<Message> SaveBatchFile(const std::string& path, std::span<const BatchEntry> entries);

// Whether NomFBatch names a file ("undefined" and nothing do not), and the folder the file
// choosers open in for it.
bool BatchNamed(const std::string& path);
std::string BatchFolder(const std::string& path);

// The name a chosen save path gets: its file name's final extension replaced by ".pqb".
std::string BatchSavePath(const std::string& chosen);
// A batch file's name without its final extension, as captions show it.
std::string BatchTitle(const std::string& path);

// Lines of the options dialog's list: "%s (%d +%d)" or "%s (%d -%d)" (code, colour, symbol) for
// an entry of a file, "%s (%d  %s%d)" for one made in the dialog.
std::string BatchLine(const BatchEntry& entry);
std::string BatchDialogLine(std::string_view code, int co, bool tadpole, int symbol);
// An entry of either form, or the reason it cannot be one.
struct BatchLineRead {
    std::optional<BatchEntry> entry;
    std::string problem;
};
BatchLineRead ParseBatchLine(std::string_view line);
// LireBatch, list mode: the first `maxEntries` entries.
BatchTable LireBatchLines(std::span<const std::string> lines, std::size_t maxEntries = kMaxBatch);

// An entry of a canvas legend: "%d.%d.%s" (symbol, colour, code).
std::string LegendEntry(int sy, int co, std::string_view code);
BatchLineRead ParseLegendEntry(std::string_view text);
// LireBatch, legend mode: the legend of a canvas, in its order.
BatchTable LireBatchLegend(std::span<const std::string> lsy);

// The legend of a table: a row of 20 pixels for each entry, its symbol in its colour and its
// code beside it, on white.
constexpr int kLegendWidth = 150;
Size LegendeSize(int count);
void DessinerLegende(Image& image, const Tcouleur& tco, std::span<const BatchEntry> entries);

} // namespace ploq
