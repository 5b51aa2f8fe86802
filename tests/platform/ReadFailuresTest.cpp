// Every reader of outside files, given a file the system stops reading: the reader reports a
// read error and nothing escapes it, whether the read fails at once or part way.

#include "app/VarGlob.h"
#include "canvas/SymbBatch.h"
#include "datasheet/Fichier.h"
#include "datasheet/ImportExport.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/Texte.h"
#include "support/FailingStream.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

namespace ploq {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

DataSheet Blank()
{
    VarGlob settings;
    settings.FrtS = 1;
    settings.FrtL = 1;
    return NewDataSheet(settings);
}

// The error a reader reports for the stream, or "" when it reports none.
using StreamReader = std::function<std::string(std::istream&)>;

struct ReaderCase {
    const char* name;
    std::string sound; // a file the reader takes whole
    StreamReader read;
};

std::vector<ReaderCase> Readers()
{
    std::string batch;
    for (int n = 0; n < 4; ++n)
        batch += std::string("\x02"
                             "S0\0\0\0\0\0\0\0\0\x05\x03",
                             13);
    return {
        {"data sheet", ReadBytes(fs::path(PLOQ_EXAMPLES) / "faults.plq"),
         [](std::istream& in) {
             DataSheet sheet;
             const FileOutcome out = LoadSheetStream(in, sheet);
             return out.ok ? std::string() : out.error.message;
         }},
        {"imported text", "30\t120\n40\t100\n50\t20\n",
         [](std::istream& in) {
             const ImportOutcome out = ImportRaw(in, "t.txt", {'\t', 2, true}, Blank());
             return out.ok ? std::string() : out.message.text;
         }},
        {"imported Ploq text", "S1/120 S 10/5\nS2/130 S 20/5\n",
         [](std::istream& in) {
             const ImportOutcome out = ImportPloqText(in, "t.txt", PloqLayout{}, Blank());
             return out.ok ? std::string() : out.message.text;
         }},
        {"symbols file", batch,
         [](std::istream& in) {
             const BatchTable table = ReadBatchStream(in);
             return table.error ? table.error->text : std::string();
         }},
        {"preference file", ReadBytes(fs::path(PLOQ_TEST_DATA) / "prefs_custom.plp"),
         [](std::istream& in) {
             VarGlob v;
             const std::vector<std::string> problems = LoadPrefs(v, in, ScreenMetrics{});
             return problems.empty() ? std::string() : problems.front();
         }},
    };
}

TEST(ReadFailures, EveryStreamReaderReportsARefusedRead)
{
    for (const ReaderCase& reader : Readers()) {
        SCOPED_TRACE(reader.name);
        {
            std::istringstream whole(reader.sound);
            ASSERT_EQ(reader.read(whole), "") << "the sound file reads without a problem";
        }
        for (const std::size_t good : {std::size_t{0}, reader.sound.size() / 2}) {
            SCOPED_TRACE(good);
            test::FailingBuffer buffer(reader.sound, good);
            std::istream in(&buffer);
            std::string reported;
            ASSERT_NO_THROW(reported = reader.read(in));
            EXPECT_NE(reported, "");
        }
    }
}

TEST(ReadFailures, AFolderOpenedAsAFileIsRefused)
{
    test::TempDir dir;
    const std::string folder = dir.path().string();
    DataSheet sheet;
    EXPECT_FALSE(LoadSheetFile(folder, sheet).ok);
    EXPECT_FALSE(ImportRawFile(folder, {'\t', 2, true}, Blank()).ok);
    EXPECT_FALSE(ImportPloqFile(folder, PloqLayout{}, Blank()).ok);
    EXPECT_TRUE(LireBatchFile(folder).error.has_value());
    EXPECT_FALSE(ReadFileBytes(folder).has_value());
}

} // namespace
} // namespace ploq
