#include "canvas/SymbBatch.h"

#include "model/UtilGlob.h"
#include "platform/SafeFile.h"
#include "platform/Text1252.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <ostream>
#include <sstream>

namespace ploq {

namespace {

// Where each field of a record starts: the code's length, its bytes, the symbol, the colour.
constexpr std::size_t kCodeBytes = 10;
constexpr std::size_t kSymbolByte = 1 + kCodeBytes;
constexpr std::size_t kColourByte = kSymbolByte + 1;
static_assert(kColourByte + 1 == kBatchRecordSize);

// Why an entry cannot be used, or nothing when it can.
std::optional<std::string> refusal(int sy, int co)
{
    if (!IsBatchSymbol(sy))
        return sformat("symbol %d (1 to 16, or -1 to -16 for a tadpole)", sy);
    if (!IsColourIndex(co))
        return sformat("colour %d (0 to 16)", co);
    return std::nullopt;
}

// Adds the entry to the table, or the reason it is skipped; `where` names it ("line 3").
void keep(BatchTable& table, const BatchLineRead& read, const std::string& where)
{
    if (read.entry) {
        if (const auto why = refusal(read.entry->sy, read.entry->co)) {
            table.skipped.push_back(where + " skipped: " + *why);
            return;
        }
        table.TabBatch.push_back(*read.entry);
    } else {
        table.skipped.push_back(where + " skipped: " + read.problem);
    }
}

// A whole number at the start of `text`, digits only, moving `text` past it.
std::optional<int> leadingNumber(std::string_view& text)
{
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    // A number too long for an int is no colour or symbol: make it one that is refused.
    return error == std::errc() ? value : std::numeric_limits<int>::max();
}

std::optional<int> signedNumber(std::string_view& text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const auto n = leadingNumber(text);
    if (!n)
        return std::nullopt;
    return negative ? -*n : *n;
}

void skipBlanks(std::string_view& text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
}

BatchTable capped(BatchTable table, std::string_view what, std::size_t maxEntries = kMaxBatch)
{
    if (table.TabBatch.size() > maxEntries) {
        table.TabBatch.resize(maxEntries);
        table.skipped.push_back(sformat("Only the first %d entries of the %s are kept",
                                        static_cast<int>(maxEntries), std::string(what).c_str()));
    }
    return table;
}

BatchLineRead unreadable(std::string_view text)
{
    // Appended rather than "\"" + std::string(text): GCC 12 at -O3 warns, wrongly, that the
    // inlined copies of that sum may overlap (-Wrestrict).
    std::string problem = "\"";
    problem.append(text).append("\" cannot be read");
    return {std::nullopt, std::move(problem)};
}

// Every text parsed into an entry, each refusal named by `where` and the text's number.
template <class Parse>
BatchTable readAll(std::span<const std::string> texts, Parse parse, const std::string& where,
                   std::string_view what, std::size_t maxEntries = kMaxBatch)
{
    BatchTable table;
    int number = 0;
    for (const std::string& text : texts)
        keep(table, parse(text), where + std::to_string(++number));
    return capped(std::move(table), what, maxEntries);
}

BatchTable notFound()
{
    BatchTable table;
    table.error = Message{MsgKind::Warning, std::string(kMsgBatchNotFound), Button::Ok, {}};
    return table;
}

} // namespace

bool IsBatchSymbol(int sy)
{
    return sy != 0 && sy >= -16 && sy <= 16;
}

bool IsColourIndex(int co)
{
    return co >= 0 && co <= 16;
}

BatchBytes EncodeBatch(const BatchEntry& entry)
{
    BatchBytes bytes{};
    const std::string_view code = entry.code.view();
    bytes[0] = static_cast<unsigned char>(code.size());
    std::copy(code.begin(), code.end(), bytes.begin() + 1);
    bytes[kSymbolByte] = static_cast<unsigned char>(static_cast<std::int8_t>(entry.sy));
    bytes[kColourByte] = static_cast<unsigned char>(entry.co);
    return bytes;
}

BatchTable ReadBatchStream(std::istream& in, std::size_t maxRecords)
{
    BatchTable table;
    BatchBytes bytes{};
    for (std::size_t record = 1; record <= maxRecords; ++record) {
        in.read(reinterpret_cast<char*>(bytes.data()), kBatchRecordSize);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got < kBatchRecordSize) {
            if (got > 0)
                table.skipped.push_back(
                    sformat("Symbols file, record %d skipped: only %d of its 13 bytes are there",
                            static_cast<int>(record), static_cast<int>(got)));
            break;
        }
        const std::string where = sformat("Symbols file, record %d", static_cast<int>(record));
        const int length = bytes[0];
        if (length > kCodeLength) {
            table.skipped.push_back(
                where + sformat(" skipped: code of %d characters (9 at most)", length));
            continue;
        }
        BatchEntry entry;
        entry.code = std::string_view(reinterpret_cast<const char*>(bytes.data()) + 1,
                                      static_cast<std::size_t>(length));
        entry.sy = static_cast<std::int8_t>(bytes[kSymbolByte]);
        entry.co = bytes[kColourByte];
        keep(table, {entry, {}}, where);
    }
    if (in.bad())
        table.error = Message{MsgKind::Error, "Error reading the symbols file", Button::Ok, {}};
    return table;
}

bool WriteBatchStream(std::ostream& out, std::span<const BatchEntry> entries)
{
    for (const BatchEntry& entry : entries) {
        const BatchBytes bytes = EncodeBatch(entry);
        out.write(reinterpret_cast<const char*>(bytes.data()), kBatchRecordSize);
    }
    out.flush();
    return static_cast<bool>(out);
}

bool BatchNamed(const std::string& path)
{
    return !path.empty() && path != kBatchUndefined;
}

std::string BatchFolder(const std::string& path)
{
    if (!BatchNamed(path))
        return {};
    return std::filesystem::path(path).parent_path().string();
}

BatchTable LireBatchFile(const std::string& path, std::size_t maxRecords)
{
    if (!BatchNamed(path))
        return notFound();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return notFound();
    BatchTable table = ReadBatchStream(in, maxRecords);
    table.title = BatchTitle(path);
    return table;
}

BatchTable LireBatchFileAll(const std::string& path)
{
    return LireBatchFile(path, std::numeric_limits<std::size_t>::max());
}

std::optional<Message> SaveBatchFile(const std::string& path, std::span<const BatchEntry> entries)
{
    std::ostringstream out;
    WriteBatchStream(out, entries);
    if (ReplaceFile(path, out.str()))
        return std::nullopt;
    return Message{MsgKind::Error,
                   "Error writing the symbols file " + Utf8ToCp1252(path)
                       + " : it is left as it was",
                   Button::Ok,
                   {}};
}

std::string BatchSavePath(const std::string& chosen)
{
    std::filesystem::path path = chosen;
    path.replace_extension(".pqb");
    return path.string();
}

std::string BatchTitle(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

std::string BatchLine(const BatchEntry& entry)
{
    const std::string code = entry.code.str();
    return sformat(entry.sy < 0 ? "%s (%d -%d)" : "%s (%d +%d)", code.c_str(), entry.co,
                   entry.sy < 0 ? -entry.sy : entry.sy);
}

std::string BatchDialogLine(std::string_view code, int co, bool tadpole, int symbol)
{
    return sformat("%s (%d  %s%d)", std::string(code).c_str(), co, tadpole ? "-" : "+", symbol);
}

BatchLineRead ParseBatchLine(std::string_view line)
{
    // The code may itself hold "(": the colour and symbol are in the last pair of brackets.
    const std::size_t open = line.rfind('(');
    if (open == std::string_view::npos)
        return unreadable(line);
    std::string code;
    for (char ch : line.substr(0, open))
        if (ch != ' ' && ch != '\t')
            code += ch;
    std::string_view rest = line.substr(open + 1);
    skipBlanks(rest);
    const auto colour = leadingNumber(rest);
    const std::size_t sign = rest.find_first_of("+-");
    if (!colour || sign == std::string_view::npos)
        return unreadable(line);
    const bool tadpole = rest[sign] == '-';
    rest.remove_prefix(sign + 1);
    const auto symbol = leadingNumber(rest);
    if (!symbol)
        return unreadable(line);
    return {BatchEntry{code, tadpole ? -*symbol : *symbol, *colour}, {}};
}

BatchTable LireBatchLines(std::span<const std::string> lines, std::size_t maxEntries)
{
    return readAll(lines, ParseBatchLine, "Symbol list, line ", "list", maxEntries);
}

std::string LegendEntry(int sy, int co, std::string_view code)
{
    return sformat("%d.%d.%s", sy, co, std::string(code).c_str());
}

BatchLineRead ParseLegendEntry(std::string_view text)
{
    std::string_view rest = text;
    const auto sy = signedNumber(rest);
    if (!sy || rest.empty() || rest.front() != '.')
        return unreadable(text);
    rest.remove_prefix(1);
    const auto co = signedNumber(rest);
    if (!co || rest.empty() || rest.front() != '.')
        return unreadable(text);
    rest.remove_prefix(1);
    return {BatchEntry{rest, *sy, *co}, {}};
}

BatchTable LireBatchLegend(std::span<const std::string> lsy)
{
    return readAll(lsy, ParseLegendEntry, "Legend, entry ", "legend");
}

Size LegendeSize(int count)
{
    return {kLegendWidth, 20 * std::max(0, count) + 9};
}

void DessinerLegende(Image& image, const Tcouleur& tco, std::span<const BatchEntry> entries)
{
    Surface& surface = image.surface();
    const Size size = image.size();
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, size.width, size.height});
    int row = 0;
    for (const BatchEntry& entry : entries) {
        const int y = 20 * ++row;
        DessinerSymboleSeul(surface, tco, entry.sy, entry.co, {10, y - 3});
        surface.setBrush({clWhite, BrushStyle::Solid});
        surface.textOut({30, y - 10}, entry.code.view());
    }
}

} // namespace ploq
