#include "datasheet/Texte.h"

#include "datasheet/Rtf.h"
#include "model/UtilGlob.h"
#include "platform/Text1252.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace ploq {

void TextParagraph::append(std::string_view text, bool bold, TColor colour)
{
    if (text.empty())
        return;
    if (!runs.empty() && runs.back().bold == bold && runs.back().colour == colour) {
        runs.back().text += text;
        return;
    }
    runs.push_back({std::string(text), bold, colour});
}

std::string TextParagraph::plain() const
{
    std::string text;
    for (const TextRun& run : runs)
        text += run.text;
    return text;
}

std::string WritePlainText(const TextDocument& document, const LineBreaks& breaks)
{
    const auto& paragraphs = document.paragraphs;
    // A window with nothing in it makes an empty file, not one empty line.
    if (paragraphs.empty() || (paragraphs.size() == 1 && paragraphs[0].runs.empty()))
        return {};
    std::string bytes;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            bytes += breaks.lineBreak;
        bytes += paragraphs[i].plain();
    }
    if (breaks.afterLast)
        bytes += breaks.lineBreak;
    return bytes;
}

namespace {

// Where the line break that starts at `at` ends.
std::size_t afterBreak(std::string_view bytes, std::size_t at)
{
    const bool crlf = bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n';
    return at + (crlf ? 2 : 1);
}

} // namespace

TextDocument ReadPlainText(std::string_view bytes)
{
    TextDocument document;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        document.paragraphs.emplace_back().append(bytes.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = afterBreak(bytes, end);
    }
    return document;
}

LineBreaks LineBreaksOf(std::string_view bytes)
{
    const std::size_t at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos)
        return {"\r\n", false};
    return {std::string(bytes.substr(at, afterBreak(bytes, at) - at)), false};
}

bool LooksLikeRtf(std::string_view bytes)
{
    return bytes.starts_with("{\\rtf");
}

TextDocument DecodeTextFile(std::string_view bytes, bool& rich)
{
    rich = LooksLikeRtf(bytes);
    return rich ? ReadRtf(bytes) : ReadPlainText(bytes);
}

TextSaveTypes SaveTypesFor(int kind)
{
    const TextFileType text{"Text file", "*.txt", ".txt", SaveMode::Plain};
    const TextFileType rtf{"RTF file", "*.rtf", ".rtf", SaveMode::Rich};
    const TextFileType all{"All files", "*.*", "", SaveMode::Unchanged};
    // Files for other programs are plain text whatever the window showed.
    const auto forProgram = [&](std::string description, std::string extension) {
        return TextSaveTypes{
            {text, all, {description, "*" + extension, extension, SaveMode::Plain}}, 2};
    };
    switch (kind) {
    case 2: return {{text, rtf, all}, 1};
    case 4: return forProgram("Data file", ".dat");
    case 5: return forProgram("Tektonic corrected file", ".cor");
    case 6: return forProgram("Yamaji file", ".fdt");
    default: return {{text, rtf, all}, 0};
    }
}

std::string WithoutFinalExtension(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    // A name that starts with its only dot (".profile") has no extension.
    if (dot == std::string::npos || dot <= nameStart || path.size() - dot - 1 > 4)
        return path;
    return path.substr(0, dot);
}

std::string PathForType(const std::string& chosen, const TextFileType& type)
{
    if (type.extension.empty())
        return chosen;
    return WithoutFinalExtension(chosen) + type.extension;
}

std::string TitleForPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return Utf8ToCp1252(slash == std::string::npos ? path : path.substr(slash + 1));
}

namespace {

std::optional<std::string> refuse(std::string* refusal, std::string text)
{
    if (refusal != nullptr)
        *refusal = std::move(text);
    return std::nullopt;
}

std::optional<std::string> tooLarge(std::string* refusal, const std::string& path,
                                    std::uint64_t size)
{
    const std::string mebibytes = FormatFixed(static_cast<double>(size) / (1 << 20), 1);
    return refuse(refusal, sformat("The file %s is too large to be opened: %s MiB (at most %d MiB)",
                                   Utf8ToCp1252(path).c_str(), mebibytes.c_str(),
                                   static_cast<int>(kMaxTextFileBytes >> 20)));
}

} // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::string* refusal)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    const std::string unreadable = "Error reading the file " + Utf8ToCp1252(path);
    if (!file)
        return refuse(refusal, unreadable);
    struct stat status {};
    if (::fstat(::fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode)
        && static_cast<std::uint64_t>(status.st_size) > kMaxTextFileBytes)
        return tooLarge(refusal, path, static_cast<std::uint64_t>(status.st_size));
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, got);
        // A file that grows while it is read, or one whose size the system does not tell.
        if (bytes.size() > kMaxTextFileBytes)
            return tooLarge(refusal, path, bytes.size());
    }
    if (std::ferror(file.get()))
        return refuse(refusal, unreadable);
    return bytes;
}

} // namespace ploq
