#include "datasheet/Texte.h"

#include "support/TempDir.h"
#include "support/TextDocumentPrint.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace ploq {
namespace {

TextDocument Lines(std::initializer_list<const char*> lines)
{
    TextDocument document;
    for (const char* line : lines)
        document.paragraphs.emplace_back().append(line);
    return document;
}

// A break that ends the file is an empty last line: typed text goes on a line of its own.
TEST(Texte, PlainTextLinesWhateverTheirEnds)
{
    const struct {
        std::string bytes;
        TextDocument document;
    } cases[] = {
        {"a\r\nb\r\n", Lines({"a", "b", ""})},
        {"a\nb", Lines({"a", "b"})},
        {"a\rb\r\n\r\n", Lines({"a", "b", "", ""})},
        {"\n\n", Lines({"", "", ""})},
        {"", Lines({""})},
        {"tab\there \xE9\x80\x81\xFF", Lines({"tab\there \xE9\x80\x81\xFF"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadPlainText(c.bytes), c.document) << c.bytes;
}

// What Ploq writes ends every line with CR LF.
TEST(Texte, PlainTextEndsEveryLineWithCrLf)
{
    TextDocument document = Lines({"Heading", "", "caf\xE9"});
    document.paragraphs[0].runs[0].bold = true; // formats are not written
    EXPECT_EQ(WritePlainText(document), "Heading\r\n\r\ncaf\xE9\r\n");
    EXPECT_EQ(WritePlainText(Lines({""})), "") << "an empty window makes an empty file";
}

// A file read and written back with its own breaks is the same bytes, whatever its breaks and
// whether its last line ends with one.
TEST(Texte, AFileWrittenBackWithItsBreaksIsTheSameBytes)
{
    for (const std::string bytes : {"a\r\nb\r\n", "a\r\nb", "a\nb\n", "a\n\nb", "a\rb\r", "\r\n",
                                    "\n\n\n", "", "no break", "caf\xE9\t\x81 \r\n"}) {
        const LineBreaks breaks = LineBreaksOf(bytes);
        EXPECT_FALSE(breaks.afterLast);
        EXPECT_EQ(WritePlainText(ReadPlainText(bytes), breaks), bytes) << bytes;
    }
    EXPECT_EQ(LineBreaksOf("a\nb\r\n").lineBreak, "\n") << "the first break found";
    EXPECT_EQ(LineBreaksOf("a").lineBreak, "\r\n");
}

TEST(Texte, RichTextIsToldByItsOpening)
{
    bool rich = false;
    EXPECT_EQ(DecodeTextFile("{\\rtf1 {\\b x}}", rich), (TextDocument{{{{{"x", true}}}}}));
    EXPECT_TRUE(rich);
    EXPECT_EQ(DecodeTextFile("{\\b x}", rich), Lines({"{\\b x}"}));
    EXPECT_FALSE(rich);
}

TEST(Texte, SaveTypesByWindowKind)
{
    const struct {
        int kind;
        std::vector<std::string> descriptions;
        std::string preselectedExtension;
    } cases[] = {
        {0, {"Text file", "RTF file", "All files"}, ".txt"},
        {2, {"Text file", "RTF file", "All files"}, ".rtf"},
        {4, {"Text file", "All files", "Data file"}, ".dat"},
        {5, {"Text file", "All files", "Tektonic corrected file"}, ".cor"},
        {6, {"Text file", "All files", "Yamaji file"}, ".fdt"},
        {3, {"Text file", "RTF file", "All files"}, ".txt"},
    };
    for (const auto& c : cases) {
        const TextSaveTypes types = SaveTypesFor(c.kind);
        std::vector<std::string> descriptions;
        for (const TextFileType& type : types.types)
            descriptions.push_back(type.description);
        EXPECT_EQ(descriptions, c.descriptions) << c.kind;
        EXPECT_EQ(types.types[static_cast<std::size_t>(types.preselected)].extension,
                  c.preselectedExtension)
            << c.kind;
    }
    EXPECT_EQ(SaveTypesFor(0).types[1].mode, SaveMode::Rich);
    EXPECT_EQ(SaveTypesFor(5).types[2].mode, SaveMode::Plain) << "files for other programs";
}

// Only the final extension of the file name goes: earlier dots and dotted folders stay.
TEST(Texte, FinalExtensionOnly)
{
    const struct {
        const char* path;
        const char* stem;
    } cases[] = {
        {"/tmp/result.csv", "/tmp/result"},
        {"/tmp/my.data.v2.txt", "/tmp/my.data.v2"},
        {"/home/a.b/result", "/home/a.b/result"},
        {"/home/a.b/c.rtf", "/home/a.b/c"},
        {"/x/.profile", "/x/.profile"},
        {"/x/name.report", "/x/name.report"},
        {"/x/name.", "/x/name"},
        {"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithoutFinalExtension(c.path), c.stem) << c.path;
}

TEST(Texte, ChosenNameAndTypeGiveThePathAndTitle)
{
    const TextSaveTypes plain = SaveTypesFor(0);
    const TextFileType& text = plain.types[0];
    const TextFileType& all = plain.types[2];
    EXPECT_EQ(PathForType("/d/result.csv", text), "/d/result.txt");
    EXPECT_EQ(PathForType("/d/WT n\xC2\xB0 4", text), "/d/WT n\xC2\xB0 4.txt");
    EXPECT_EQ(PathForType("/d.x/report", plain.types[1]), "/d.x/report.rtf");
    EXPECT_EQ(PathForType("/d/result.csv", all), "/d/result.csv") << "kept as the user typed it";
    EXPECT_EQ(PathForType("/d/faults.txt", SaveTypesFor(6).types[2]), "/d/faults.fdt");
    EXPECT_EQ(TitleForPath("/a.b/r\xC3\xA9sultat.v1.txt"), "r\xE9sultat.v1.txt");
}

TEST(Texte, ReadFileBytes)
{
    test::TempDir dir;
    const std::string path = (dir.path() / "bytes.txt").string();
    const std::string bytes("a\0b\r\n\xFF", 6);
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_EQ(ReadFileBytes(path), bytes);
    std::ofstream((dir.path() / "empty").string(), std::ios::binary);
    EXPECT_EQ(ReadFileBytes((dir.path() / "empty").string()), "");
    EXPECT_EQ(ReadFileBytes((dir.path() / "missing").string()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir.path().string()), std::nullopt) << "a folder";
}

TEST(Texte, FilesBeyondTheLimitAreRefusedUnreadWithTheirSize)
{
    test::TempDir dir;
    const struct {
        std::uintmax_t size;
        const char* refusal;
    } cases[] = {
        {kMaxTextFileBytes + 1, "The file %s is too large to be opened: 64.0 MiB (at most 64 MiB)"},
        {std::uintmax_t{1} << 30,
         "The file %s is too large to be opened: 1024.0 MiB (at most 64 MiB)"},
    };
    for (const auto& c : cases) {
        // Sparse: no disk space, and a reader that read it would take seconds.
        const std::string path = (dir.path() / "huge.rtf").string();
        std::ofstream(path, std::ios::binary);
        std::filesystem::resize_file(path, c.size);
        std::string refusal;
        EXPECT_EQ(ReadFileBytes(path, &refusal), std::nullopt);
        char expected[512];
        std::snprintf(expected, sizeof expected, c.refusal, path.c_str());
        EXPECT_EQ(refusal, expected);
    }
    std::string refusal;
    EXPECT_EQ(ReadFileBytes(dir.path().string(), &refusal), std::nullopt);
    EXPECT_EQ(refusal, "Error reading the file " + dir.path().string());
}

} // namespace
} // namespace ploq
