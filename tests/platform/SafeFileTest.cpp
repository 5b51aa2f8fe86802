#include "platform/SafeFile.h"

#include "support/FaultyFileCalls.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using test::FaultyFileCalls;
using test::TempDir;
using Step = FaultyFileCalls::Step;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> Names(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(ReplaceFile, NewBytesReachTheDiskBeforeTheRenameAndTheRenameAfterIt)
{
    TempDir dir;
    const fs::path path = dir.path() / "a.txt";
    WriteBytes(path, "old");
    FaultyFileCalls calls;
    {
        const ScopedFileCalls seam(calls);
        EXPECT_TRUE(ReplaceFile(path.string(), "new contents"));
    }
    EXPECT_EQ(ReadBytes(path), "new contents");
    EXPECT_EQ(calls.steps(),
              (std::vector<Step>{Step::Write, Step::SyncFile, Step::Rename, Step::SyncFolder}));
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{"a.txt"});
}

TEST(ReplaceFile, PermissionsOfTheReplacedFileAreKept)
{
    TempDir dir;
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_all | fs::perms::group_read}) {
        const fs::path path = dir.path() / "kept";
        WriteBytes(path, "old");
        fs::permissions(path, mode);
        ASSERT_TRUE(ReplaceFile(path.string(), "new"));
        EXPECT_EQ(fs::status(path).permissions(), mode);
    }
}

TEST(ReplaceFile, NewFileGetsTheUsualPermissionsOfTheUmask)
{
    TempDir dir;
    const fs::path path = dir.path() / "new";
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(ReplaceFile(path.string(), "x"));
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0644));
}

TEST(ReplaceFile, NamesOfEveryValidLengthCanBeSaved)
{
    TempDir dir;
    for (const std::size_t length : {1u, 200u, 249u, 254u, 255u}) {
        const fs::path path = dir.path() / std::string(length, 'n');
        EXPECT_TRUE(ReplaceFile(path.string(), "first")) << length;
        EXPECT_TRUE(ReplaceFile(path.string(), "second")) << length;
        EXPECT_EQ(ReadBytes(path), "second") << length;
        fs::remove(path);
    }
    EXPECT_TRUE(Names(dir.path()).empty());
}

TEST(ReplaceFile, LeftoversOfKilledSavesDoNotStopLaterSaves)
{
    TempDir dir;
    const fs::path path = dir.path() / "sheet.plq";
    WriteBytes(path, "old");
    std::set<std::string> leftovers = {"sheet.plq"};
    for (int n = 0; n < 150; ++n) {
        const std::string name = "sheet.plq.~" + std::to_string(n) + ".tmp";
        WriteBytes(dir.path() / name, "left by a killed save");
        leftovers.insert(name);
    }
    EXPECT_TRUE(ReplaceFile(path.string(), "new"));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(Names(dir.path()), leftovers) << "the save's own temporary is gone";
}

// Saves in a folder arranged by `arrange`, each through `saved`; links are kept unless said.
struct LinkCase {
    const char* name;
    void (*arrange)(const fs::path& folder);
    bool saves;
    const char* written; // where the new bytes land, relative to the folder, when it saves
};

const LinkCase kLinkCases[] = {
    {"a link to a file: the file is replaced, the link kept",
     [](const fs::path& d) {
         WriteBytes(d / "real", "old");
         fs::create_symlink("real", d / "saved");
     },
     true, "real"},
    {"a chain of links",
     [](const fs::path& d) {
         fs::create_directory(d / "sub");
         WriteBytes(d / "sub" / "real", "old");
         fs::create_symlink("sub/real", d / "middle");
         fs::create_symlink(d / "middle", d / "saved");
     },
     true, "sub/real"},
    {"a dangling link into an existing folder: the file it names is created",
     [](const fs::path& d) {
         fs::create_directory(d / "sub");
         fs::create_symlink("sub/future", d / "saved");
     },
     true, "sub/future"},
    {"a dangling link into a missing folder: refused",
     [](const fs::path& d) { fs::create_symlink("missing/future", d / "saved"); }, false, ""},
    {"a loop of links: refused",
     [](const fs::path& d) {
         fs::create_symlink("other", d / "saved");
         fs::create_symlink("saved", d / "other");
     },
     false, ""},
    {"a link to a folder: refused",
     [](const fs::path& d) {
         fs::create_directory(d / "sub");
         fs::create_symlink("sub", d / "saved");
     },
     false, ""},
    {"a folder: refused", [](const fs::path& d) { fs::create_directory(d / "saved"); }, false, ""},
};

TEST(ReplaceFile, SymbolicLinksAreFollowedAndKept)
{
    for (const LinkCase& c : kLinkCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        c.arrange(dir.path());
        const std::set<std::string> before = Names(dir.path());
        const bool wasLink = fs::is_symlink(dir.path() / "saved");
        std::error_code error;
        EXPECT_EQ(ReplaceFile((dir.path() / "saved").string(), "new", error), c.saves);
        EXPECT_EQ(static_cast<bool>(error), !c.saves);
        EXPECT_EQ(fs::is_symlink(dir.path() / "saved"), wasLink);
        EXPECT_EQ(Names(dir.path()), before) << "no temporary left, nothing else changed";
        if (c.saves) {
            EXPECT_EQ(ReadBytes(dir.path() / c.written), "new");
        }
    }
}

TEST(ReplaceFile, FailedFolderSyncIsAFailureWithTheNewContentsWhole)
{
    TempDir dir;
    const fs::path path = dir.path() / "a.txt";
    WriteBytes(path, "old");
    FaultyFileCalls calls;
    calls.failAt(Step::SyncFolder, EIO);
    std::error_code error;
    {
        const ScopedFileCalls seam(calls);
        EXPECT_FALSE(ReplaceFile(path.string(), "new", error));
    }
    EXPECT_EQ(error, std::errc::io_error);
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{"a.txt"});
}

} // namespace
} // namespace ploq
