#include "datasheet/Rtf.h"

#include "platform/Text1252.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace ploq {

namespace {

void putEscaped(std::string& out, const std::string& text)
{
    static constexpr char hex[] = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (byte >= 0x80 || byte < 0x20) {
            out += "\\'";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
}

// Black is the table's automatic colour 0; the others follow in order of first use.
std::vector<TColor> colourTable(const TextDocument& document)
{
    std::vector<TColor> table;
    for (const TextParagraph& paragraph : document.paragraphs)
        for (const TextRun& run : paragraph.runs)
            if (run.colour != clBlack
                && std::find(table.begin(), table.end(), run.colour) == table.end())
                table.push_back(run.colour);
    return table;
}

int colourIndex(const std::vector<TColor>& table, TColor colour)
{
    const auto it = std::find(table.begin(), table.end(), colour);
    return it == table.end() ? 0 : static_cast<int>(it - table.begin()) + 1;
}

enum class Destination { Body, Skipped, ColourTable };

struct GroupState {
    Destination destination = Destination::Body;
    bool bold = false;
    int colour = 0;
    int unicodeSkip = 1; // \ucN: fallback characters after each \uN
};

// Groups whose text is not part of the document (most writers also mark theirs with \*).
bool isSkippedDestination(const std::string& word)
{
    static constexpr std::string_view words[] = {
        "fonttbl",    "stylesheet", "info",     "pict",         "object",    "header",
        "headerl",    "headerr",    "headerf",  "footer",       "footerl",   "footerr",
        "footerf",    "footnote",   "fldinst",  "themedata",    "listtable", "listoverridetable",
        "rsidtbl",    "generator",  "xmlnstbl", "latentstyles", "datastore", "colorschememapping",
        "nonshppict", "revtbl",     "pgdsctbl", "shp",          "ftnsep",    "ftnsepc",
        "ftncn",      "aftnsep",    "aftnsepc", "xe",           "tc",        "private"};
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

// Control words that stand for one Windows-1252 character.
std::optional<char> characterWord(const std::string& word)
{
    static constexpr std::array<std::pair<std::string_view, unsigned char>, 9> words = {{
        {"tab", '\t'},
        {"cell", '\t'},
        {"emdash", 0x97},
        {"endash", 0x96},
        {"bullet", 0x95},
        {"lquote", 0x91},
        {"rquote", 0x92},
        {"ldblquote", 0x93},
        {"rdblquote", 0x94},
    }};
    for (const auto& [name, byte] : words)
        if (name == word)
            return static_cast<char>(byte);
    return std::nullopt;
}

bool endsParagraph(const std::string& word)
{
    return word == "par" || word == "line" || word == "row" || word == "sect" || word == "page";
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : in_(rtf) {}

    TextDocument read()
    {
        document_.paragraphs.emplace_back();
        while (pos_ < in_.size() && !finished_) {
            const char c = in_[pos_++];
            switch (c) {
            case '{': openGroup(); break;
            case '}': closeGroup(); break;
            case '\\': control(); break;
            case '\r':
            case '\n': break;
            default: character(c); break;
            }
        }
        // A last \par ends the last paragraph; it does not open an empty one.
        if (sawParagraphEnd_ && document_.paragraphs.size() > 1
            && document_.paragraphs.back().runs.empty())
            document_.paragraphs.pop_back();
        return std::move(document_);
    }

private:
    void openGroup()
    {
        stack_.push_back(state_);
        pendingSkip_ = 0;
    }

    void closeGroup()
    {
        pendingSkip_ = 0;
        if (state_.destination == Destination::ColourTable)
            endColourEntryIfAny();
        if (stack_.empty()) {
            finished_ = true;
            return;
        }
        state_ = stack_.back();
        stack_.pop_back();
        // The document's own group is the first one: its end is the end of the document.
        finished_ = stack_.empty();
    }

    void control()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            symbol(c);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])))
            word += in_[pos_++];
        std::optional<long> parameter;
        const std::size_t numberStart = pos_;
        if (pos_ < in_.size() && in_[pos_] == '-')
            ++pos_;
        long value = 0;
        bool digits = false;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            value = std::min(value * 10 + (in_[pos_++] - '0'), 10'000'000L);
            digits = true;
        }
        if (digits)
            parameter = in_[numberStart] == '-' ? -value : value;
        else
            pos_ = numberStart;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        controlWord(word, parameter);
    }

    void symbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}': character(c); break;
        case '~': character('\xA0'); break;
        case '_': character('-'); break;
        case '*': state_.destination = Destination::Skipped; break;
        case '\'': {
            const int high = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            const int low = pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
            if (high < 0 || low < 0)
                break;
            pos_ += 2;
            character(static_cast<char>(high * 16 + low));
            break;
        }
        case '\r':
        case '\n': paragraphEnd(); break;
        default: break; // \- optional hyphen, \| formula character ...
        }
    }

    void controlWord(const std::string& word, std::optional<long> parameter)
    {
        const long value = parameter.value_or(1);
        if (isSkippedDestination(word)) {
            state_.destination = Destination::Skipped;
        } else if (word == "colortbl") {
            if (state_.destination == Destination::Body) {
                state_.destination = Destination::ColourTable;
                colours_.clear();
            }
        } else if (word == "bin") {
            pos_ = std::min(in_.size(), pos_ + static_cast<std::size_t>(std::max(0L, value)));
        } else if (state_.destination == Destination::ColourTable) {
            colourComponent(word, static_cast<int>(value));
        } else if (word == "b") {
            state_.bold = value != 0;
        } else if (word == "cf") {
            state_.colour = static_cast<int>(value);
        } else if (word == "plain") {
            state_.bold = false;
            state_.colour = 0;
        } else if (word == "uc") {
            state_.unicodeSkip = static_cast<int>(std::clamp(value, 0L, 10L));
        } else if (word == "u" && parameter) {
            const long codePoint = value < 0 ? value + 65536 : value;
            character(ByteOf1252(static_cast<char32_t>(codePoint)));
            pendingSkip_ = state_.unicodeSkip;
        } else if (endsParagraph(word)) {
            paragraphEnd();
        } else if (const std::optional<char> c = characterWord(word)) {
            character(*c);
        }
    }

    void character(char c)
    {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (state_.destination == Destination::ColourTable) {
            if (c == ';') {
                colours_.push_back(entry_.value_or(clBlack));
                entry_.reset();
            }
            return;
        }
        if (state_.destination != Destination::Body)
            return;
        document_.paragraphs.back().append(std::string_view(&c, 1), state_.bold,
                                           colourOf(state_.colour));
    }

    void paragraphEnd()
    {
        if (state_.destination != Destination::Body)
            return;
        document_.paragraphs.emplace_back();
        sawParagraphEnd_ = true;
    }

    void colourComponent(const std::string& word, int value)
    {
        const int shift = word == "red" ? 0 : word == "green" ? 8 : word == "blue" ? 16 : -1;
        if (shift < 0)
            return;
        TColor colour = entry_.value_or(0);
        colour = (colour & ~(0xFF << shift)) | (std::clamp(value, 0, 255) << shift);
        entry_ = colour;
    }

    // A table whose last entry lacks its ";" still counts that entry.
    void endColourEntryIfAny()
    {
        if (entry_) {
            colours_.push_back(*entry_);
            entry_.reset();
        }
    }

    TColor colourOf(int index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= colours_.size())
            return clBlack;
        return colours_[static_cast<std::size_t>(index)];
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool finished_ = false;
    bool sawParagraphEnd_ = false;
    int pendingSkip_ = 0;
    GroupState state_;
    std::vector<GroupState> stack_;
    std::vector<TColor> colours_; // index 0 is usually the automatic colour, black
    std::optional<TColor> entry_; // the colour table entry being read
    TextDocument document_;
};

} // namespace

std::string WriteRtf(const TextDocument& document, const RtfFont& font)
{
    const std::vector<TColor> table = colourTable(document);
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 ";
    putEscaped(out, font.name);
    out += ";}}\r\n{\\colortbl ;";
    for (const TColor c : table)
        out += "\\red" + std::to_string(redOf(c)) + "\\green" + std::to_string(greenOf(c))
               + "\\blue" + std::to_string(blueOf(c)) + ';';
    out += "}\r\n\\pard\\plain\\f0\\fs" + std::to_string(2 * font.pointSize) + "\r\n";
    bool bold = false;
    int colour = 0;
    for (const TextParagraph& paragraph : document.paragraphs) {
        for (const TextRun& run : paragraph.runs) {
            std::string words;
            if (run.bold != bold)
                words += run.bold ? "\\b" : "\\b0";
            const int index = colourIndex(table, run.colour);
            if (index != colour)
                words += "\\cf" + std::to_string(index);
            if (!words.empty())
                out += words + ' ';
            bold = run.bold;
            colour = index;
            putEscaped(out, run.text);
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

TextDocument ReadRtf(std::string_view rtf)
{
    return RtfReader(rtf).read();
}

} // namespace ploq
