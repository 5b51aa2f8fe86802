#include "app/Main.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace ploq {
namespace {

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t LineCount(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++count;
    return count;
}

TEST(TForm1Prefs, FirstStartWritesTheFileAndCloseRewritesIt)
{
    test::TempDir dir;
    const test::CurrentDir inside(dir.path());
    const std::filesystem::path path = std::filesystem::current_path() / kPrefFileName;
    test::ScriptedPrompts prompts;
    prompts.expectMessage("Preference file \"" + path.string() + "\" not found or alterated...");
    TForm1 form(prompts);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(LineCount(ReadBytes(path)), 248u);
    EXPECT_EQ(form.settings().FrtS, 0);

    form.settings().FrtS = 3;
    form.close();
    EXPECT_EQ(LineCount(ReadBytes(path)), 248u);
    VarGlob reread;
    EXPECT_TRUE(LoadPrefsFile(reread, path, {}, 0).empty());
    EXPECT_EQ(reread.FrtS, 3);
}

TEST(TForm1Prefs, DamagedFileIsReportedAndTheWindowStillOpens)
{
    test::TempDir dir;
    const test::CurrentDir inside(dir.path());
    std::ofstream(kPrefFileName.data(), std::ios::binary) << "09:41 at 09:41:27\r\n20\r\nforty\r\n";
    test::ScriptedPrompts prompts;
    prompts.expectMessage("line 3: an integer is expected");
    TForm1 form(prompts);
    EXPECT_EQ(form.settings().AmBS, 20);
    EXPECT_EQ(form.settings().PeBS, 40);
}

} // namespace
} // namespace ploq
