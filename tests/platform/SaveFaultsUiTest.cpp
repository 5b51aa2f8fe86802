// Every writer of files, made to fail at each step of its save: the write after k bytes for k
// across the file's size, the sync of the new file and the rename. Each time the previous file
// stays byte for byte, nothing is left beside it, and the writer reports the failure, never a
// success. A new writer joins by a row in kWriters.

#include "app/Main.h"
#include "app/VarGlob.h"
#include "canvas/SymbBatch.h"
#include "canvas/TWPlot.h"
#include "canvas/TWPlotOutput.h"
#include "canvas/UtilPlot.h"
#include "datasheet/Fichier.h"
#include "datasheet/TWText.h"
#include "support/FaultyFileCalls.h"
#include "support/SheetRows.h"
#include "support/UiApp.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <string>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using test::FaultyFileCalls;
using Step = FaultyFileCalls::Step;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> Names(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The program as the writers meet it: its settings, prompts and clock, and a canvas.
struct Program {
    Program()
    {
        plot = NewWP(env.app, kWPOrdinary);
        for (const double trend : {0.3, 2.0, 4.1}) {
            InfoVal v;
            v.na = "S0";
            v.azi = trend;
            v.pen = 0.6;
            AjoutVal(plot->model(), v, 9, 1);
        }
    }

    // The failure the prompts were last told, once a writer has said it failed.
    std::optional<std::string> toldFailure() const
    {
        const auto& told = env.prompts.messages();
        return told.empty() ? std::string("no message") : told.back().text;
    }

    test::PixelApp env;
    TForm1 form{env.app, ScreenMetrics{}};
    TWPlot* plot = nullptr;
};

TextDocument Document(int version)
{
    TextDocument document;
    for (int n = 0; n < 3 + version; ++n)
        document.paragraphs.emplace_back().append("Result line " + std::to_string(n), n == 1,
                                                  n == 2 ? 255 : clBlack);
    return document;
}

// What a writer said of a save: none when it reported a success, else the failure it reported.
using Reported = std::optional<std::string>;

// A writer saving version 0 or 1 of its contents at `path`. When `failing`, a writer that tells
// the user through the prompts has them expect the message.
struct Writer {
    const char* name;
    const char* fileName;
    std::function<Reported(Program&, const std::string& path, int version, bool failing)> save;
};

Reported SheetOutcome(const FileOutcome& outcome)
{
    return outcome.ok ? Reported{} : outcome.error.message;
}

Reported TextFile(Program& p, const std::string& path, int version, bool failing, bool plain)
{
    if (failing)
        p.env.prompts.expectMessage("Error writing the file " + path);
    if (WriteTextFile(p.env.prompts, path, Document(version), plain, 8))
        return std::nullopt;
    return p.toldFailure();
}

const Writer kWriters[] = {
    {"data sheet, new file", "sheet.plq",
     [](Program& p, const std::string& path, int version, bool) {
         DataSheet sheet = test::LineRows(3 + version);
         return SheetOutcome(SaveSheetAsFile(sheet, path, p.env.clock));
     }},
    {"data sheet, saved in place", "sheet.plq",
     [](Program& p, const std::string& path, int version, bool) {
         DataSheet sheet = test::LineRows(3);
         if (version == 0)
             return SheetOutcome(SaveSheetAsFile(sheet, path, p.env.clock));
         sheet.lNomF = path;
         test::EnterRow(sheet, {"L", "20/100", "4", "site", "added"});
         return SheetOutcome(UpdateSheetFile(sheet, p.env.clock));
     }},
    {"preference file", "P4Pref24.plp",
     [](Program&, const std::string& path, int version, bool) {
         VarGlob v;
         DefaultPrefs(v, ScreenMetrics{96, 1920});
         v.AmBS = 20 + version;
         const std::optional<Message> failure = SavePrefsFile(v, path, 45000.5);
         return failure ? Reported{failure->text} : Reported{};
     }},
    {"plain text file", "report.txt",
     [](Program& p, const std::string& path, int version, bool failing) {
         return TextFile(p, path, version, failing, true);
     }},
    {"RTF file", "report.rtf",
     [](Program& p, const std::string& path, int version, bool failing) {
         return TextFile(p, path, version, failing, false);
     }},
    {"symbols file", "symbols.pqb",
     [](Program&, const std::string& path, int version, bool) {
         std::vector<BatchEntry> entries(2 + static_cast<std::size_t>(version));
         for (std::size_t i = 0; i < entries.size(); ++i) {
             entries[i].code = "S" + std::to_string(i);
             entries[i].sy = 1 + static_cast<int>(i);
             entries[i].co = 2;
         }
         const std::optional<Message> failure = SaveBatchFile(path, entries);
         return failure ? Reported{failure->text} : Reported{};
     }},
    {"canvas picture", "canvas.svg",
     [](Program& p, const std::string& path, int version, bool failing) {
         p.env.prompts.expectNumber("Canvas diameter (mm)", 40 + 20 * version, 0)
             .expectSaveFile(path, 0);
         if (failing)
             p.env.prompts.expectMessage("Error writing the file " + path);
         return SauverImageWP(*p.plot) ? Reported{} : p.toldFailure();
     }},
};

// The byte counts after which a write fails: every one of a small file, else 64 across it.
std::vector<std::size_t> WriteFaultPoints(std::size_t size)
{
    constexpr std::size_t kMaxPoints = 64;
    std::vector<std::size_t> points;
    const std::size_t count = std::min(size, kMaxPoints);
    for (std::size_t i = 0; i < count; ++i)
        points.push_back(count == size ? i : i * (size - 1) / (count - 1));
    return points;
}

struct Fault {
    std::string what;
    std::function<void(FaultyFileCalls&)> arm;
};

std::vector<Fault> FaultsOf(std::size_t size)
{
    // A full disk, a failing disk, a file beyond the size allowed, in turn.
    static constexpr int kWriteErrors[] = {ENOSPC, EIO, EFBIG};
    std::vector<Fault> faults;
    for (const std::size_t k : WriteFaultPoints(size)) {
        const int error = kWriteErrors[k % std::size(kWriteErrors)];
        faults.push_back({"write fails after " + std::to_string(k) + " bytes",
                          [k, error](FaultyFileCalls& c) { c.failWriteAfter(k, error); }});
    }
    faults.push_back({"sync fails", [](FaultyFileCalls& c) { c.failAt(Step::SyncFile, EIO); }});
    for (const int error : {EXDEV, EROFS, EIO})
        faults.push_back({"rename fails with " + std::to_string(error),
                          [error](FaultyFileCalls& c) { c.failAt(Step::Rename, error); }});
    return faults;
}

Reported SaveThrough(FaultyFileCalls& calls, Program& p, const Writer& writer,
                     const std::string& path, int version, bool failing)
{
    const ScopedFileCalls seam(calls);
    return writer.save(p, path, version, failing);
}

TEST(SaveFaults, EveryWriterKeepsThePreviousFileWholeAndSaysSo)
{
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        Program p;
        const fs::path folder = p.env.dir.path() / "out";
        fs::create_directory(folder);
        const std::string path = (folder / writer.fileName).string();

        // The new contents and their size over the previous ones, then the previous file in
        // place again.
        ASSERT_EQ(writer.save(p, path, 0, false), std::nullopt);
        FaultyFileCalls counting;
        ASSERT_EQ(SaveThrough(counting, p, writer, path, 1, false), std::nullopt);
        const std::string next = ReadBytes(path);
        ASSERT_EQ(counting.bytesWritten(), next.size());
        ASSERT_EQ(writer.save(p, path, 0, false), std::nullopt);
        const std::string previous = ReadBytes(path);
        ASSERT_NE(previous, next) << "the versions must differ for the test to tell them apart";
        const std::set<std::string> names = Names(folder);

        for (const Fault& fault : FaultsOf(next.size())) {
            SCOPED_TRACE(fault.what);
            FaultyFileCalls calls;
            fault.arm(calls);
            const Reported reported = SaveThrough(calls, p, writer, path, 1, true);
            ASSERT_TRUE(calls.tripped()) << "the save never met the fault";
            ASSERT_TRUE(reported.has_value()) << "a failed save reported as a success";
            EXPECT_FALSE(reported->empty());
            EXPECT_TRUE(p.env.prompts.allAnswered());
            ASSERT_EQ(ReadBytes(path), previous);
            ASSERT_EQ(Names(folder), names) << "a temporary is left";
        }

        EXPECT_EQ(writer.save(p, path, 1, false), std::nullopt);
        EXPECT_EQ(ReadBytes(path), next);
        EXPECT_EQ(Names(folder), names);
    }
}

} // namespace
} // namespace ploq
