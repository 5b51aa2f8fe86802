#include "datasheet/Rtf.h"

#include "support/TextDocumentPrint.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>

namespace ploq {
namespace {

constexpr TColor kNavy = rgb(0, 0, 128);

TextParagraph Para(std::initializer_list<TextRun> runs)
{
    TextParagraph paragraph;
    for (const TextRun& run : runs)
        paragraph.append(run.text, run.bold, run.colour);
    return paragraph;
}

// The paragraphs' plain texts joined by "|".
std::string Lines(const TextDocument& document)
{
    std::string lines;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i)
        lines += (i == 0 ? "" : "|") + document.paragraphs[i].plain();
    return lines;
}

std::string AllHighBytes()
{
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(Rtf, DocumentsComeBackAsWritten)
{
    const TextDocument cases[] = {
        {{Para({{"14:05 - Best axis", true}}), Para({{"N = 12"}}),
          Para({{"lambda ", false, clRed}, {"0.82", true, clRed}, {" cone", false, kNavy}})}},
        {{Para({{"Caf\xE9 d\xE9j\xE0 vu, 45\xB0 N, \x80 \x9C\x8C \xFC\xDF"}})}},
        {{Para({{"braces {a} \\b0 back\\slash \\par \ttab\t"}})}},
        {{Para({}), Para({{"between empty lines"}}), Para({})}},
        {{Para({})}},
        {{Para({{AllHighBytes(), true, clGreen}})}},
        {{Para({{" leading blank", true}, {"7", false, clRed}, {"9 digits after a colour"}})}},
    };
    for (const TextDocument& document : cases)
        EXPECT_EQ(ReadRtf(WriteRtf(document)), document);
}

TEST(Rtf, WriterKeepsToTheCommonSubset)
{
    const TextDocument document{{Para({{"Head {1}", true, clRed}}), Para({{"caf\xE9\tx\\y"}})}};
    EXPECT_EQ(
        WriteRtf(document),
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "\\pard\\plain\\f0\\fs16\r\n"
        "\\b\\cf1 Head \\{1\\}\\par\r\n"
        "\\b0\\cf0 caf\\'e9\\tab x\\\\y\\par\r\n"
        "}\r\n");
}

// As a word processor writes it: font and colour tables, a generator, a style sheet, document
// information, a picture (one of them binary, holding braces), a field, Unicode escapes.
TEST(Rtf, ForeignFileKeepsItsTextBoldAndColours)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1036{\\fonttbl{"
        "\\f0\\fnil\\fcharset0 "
        "Calibri;}{\\f1\\fmodern Courier New{\\*\\falt Courier};}}\r\n"
        "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}{\\stylesheet{\\s0\\snext0 Normal;}}"
        "{\\info{\\author Someone}{\\title Notes}}\\viewkind4\\uc1\r\n"
        "\\pard\\sa200\\sl276\\slmult1\\b\\f0\\fs22\\lang12 Mesures\\b0\\par\r\n"
        "\\cf1 Pendage \\'e9lev\\'e9\\cf0  et {\\cf2 bleu}\\par\r\n"
        "{\\pict\\wmetafile8\\picw200\\pich100 0102030405ff}"
        "{\\*\\shppict{\\pict\\pngblip\\bin3 }{}}}\r\n"
        "\\u8364?uros et \\u-3913?x\\par\r\n"
        "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt lien}}\\par\r\n"
        "{\\*\\unknowngroup never shown}\\unknownword7 end\\par\r\n"
        "}";
    const TextDocument expected{{
        Para({{"Mesures", true}}),
        Para({{"Pendage \xE9lev\xE9", false, rgb(192, 0, 0)}, {" et "}, {"bleu", false, clBlue}}),
        Para({{"\x80uros et ?x"}}),
        Para({{"lien"}}),
        Para({{"end"}}),
    }};
    EXPECT_EQ(ReadRtf(rtf), expected);
}

// One of our reports opened in a word processor and saved again as RTF there: its own tables,
// style sheet, document information and paragraph properties around the same text.
TEST(Rtf, ReportResavedByAWordProcessorReadsAsWritten)
{
    std::ifstream in(PLOQ_TEST_DATA "/report_resaved_by_a_word_processor.rtf", std::ios::binary);
    const std::string rtf{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(rtf.empty());
    const TextDocument written{{
        Para({{"14:05 - Best axis", true}}),
        Para({{"N = 12"}}),
        Para({{"Pendage \xE9lev\xE9 : 45\xB0, \x80 \x9C\xFC\xDF", false, clRed}}),
        Para({}),
        Para({{"lambda ", false, kNavy}, {"0.82 {x}\\", true, clGreen}}),
        Para({{"col1\tcol2\tend"}}),
    }};
    EXPECT_EQ(ReadRtf(rtf), written);
}

TEST(Rtf, DamagedFilesGiveWhatCanBeRead)
{
    const struct {
        const char* rtf;
        const char* lines;
    } cases[] = {
        {"{\\rtf1 abc", "abc"},
        {"{\\rtf1 a}}}b", "a"},
        {"{\\rtf1 x\\'", "x"},
        {"{\\rtf1 x\\'4", "x4"},
        {"{\\rtf1 x\\bin99999999999 yz}", "x"},
        {"{\\rtf1 x\\u}", "x"},
        {"{\\rtf1 x\\", "x"},
        {"{\\rtf1 \\cf99 x\\cf-3 y}", "xy"},
        {"{\\rtf1 a\\line b\\\nc\\cell d\\row}", "a|b|c\td"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(ReadRtf(c.rtf)), c.lines) << c.rtf;
}

TEST(Rtf, ColourTableValuesOutOfRangeAreClamped)
{
    const TextDocument document = ReadRtf("{\\rtf1{\\colortbl;\\red300\\green-5\\blue7}\\cf1 x}");
    EXPECT_EQ(document, (TextDocument{{Para({{"x", false, rgb(255, 0, 7)}})}}));
}

} // namespace
} // namespace ploq
