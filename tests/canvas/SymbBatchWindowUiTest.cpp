// The legend window: a canvas legend saved as a batch file, a batch file shown and replaced by
// another, and the messages when a file is missing or entries cannot be used.

#include "canvas/QtSymbolImages.h"
#include "canvas/SymbBatchWindow.h"
#include "support/UiApp.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "PicturesUi.h"
#include <memory>

namespace ploq {
namespace {

QRgb ToQRgb(TColor c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

// How many times a signal of the window was sent.
template <class Signal> std::shared_ptr<int> Count(TSymbBatch* window, Signal signal)
{
    auto count = std::make_shared<int>(0);
    QObject::connect(window, signal, [count] { ++*count; });
    return count;
}

struct LegendWindow : ::testing::Test {
    ~LegendWindow() override { delete t.app.dialog(kWinSymbBatch); }

    test::UiApp t;
    const std::vector<std::string> lsy = {"-5.12.S0", "6.2.no selection", "16.4.L1"};

    std::string pathIn(const std::string& name) { return (t.dir_.path() / name).string(); }
};

TEST_F(LegendWindow, CanvasLegendIsShownAndSavedAsABatchFile)
{
    TSymbBatch* window = AfficherBatch(t.app, kBatchCanvasLegend, {40, 60}, lsy, "Canvas 1");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Canvas 1");
    EXPECT_EQ(window->button()->text(), "Save");
    EXPECT_EQ(window->legend()->pixmap().height(), 20 * 3 + 9);
    EXPECT_EQ(window->height(), 150);
    EXPECT_EQ(window->windowFlags() & Qt::WindowMinMaxButtonsHint, 0);
    test::SavePicture(window->grab().toImage(), "legend_window.png");

    const auto changed = Count(window, &TSymbBatch::batchFileChanged);
    t.prompts.expectSaveFile(pathIn("site.A.legend"));
    window->Button1Click();
    const std::string saved = pathIn("site.A.pqb");
    EXPECT_EQ(t.app.settings().NomFBatch, saved);
    EXPECT_EQ(*changed, 1);
    EXPECT_EQ(t.prompts.fileQuestions().back().filters.front().first, "Ploq batch symbols file");
    const BatchTable back = LireBatchFile(saved);
    ASSERT_EQ(back.NbBatch(), 3);
    EXPECT_EQ(back.TabBatch[0], (BatchEntry{"S0", -5, 12}));
    EXPECT_EQ(back.title, "site.A");
}

TEST_F(LegendWindow, CancelledSaveChangesNothing)
{
    t.app.settings().NomFBatch = "undefined";
    TSymbBatch* window = AfficherBatch(t.app, kBatchCanvasLegend, {40, 60}, lsy, "Canvas 1");
    t.prompts.expectSaveFile(std::nullopt);
    window->Button1Click();
    EXPECT_EQ(t.app.settings().NomFBatch, "undefined");
}

TEST_F(LegendWindow, BatchFileShownThenAnotherChosen)
{
    const std::string first = pathIn("first.pqb");
    const std::string second = pathIn("second.pqb");
    ASSERT_FALSE(SaveBatchFile(first, std::vector<BatchEntry>{{"S0", 6, 2}}));
    ASSERT_FALSE(SaveBatchFile(second, std::vector<BatchEntry>{{"L1", 3, 1}, {"L2", -4, 10}}));
    t.app.settings().NomFBatch = first;

    TSymbBatch* window = AfficherBatch(t.app, kBatchFile, {100, 100});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "first");
    EXPECT_EQ(window->button()->text(), "select another file");
    EXPECT_EQ(AfficherBatch(t.app, kBatchFile, {100, 100}), window) << "one legend window";

    const auto changed = Count(window, &TSymbBatch::batchFileChanged);
    t.prompts.expectOpenFile(second);
    window->Button1Click();
    EXPECT_EQ(t.app.settings().NomFBatch, second);
    EXPECT_EQ(*changed, 1);
    EXPECT_EQ(window->windowTitle(), "second");
    EXPECT_EQ(window->table().NbBatch(), 2);
    EXPECT_EQ(window->legend()->pixmap().height(), 49);
    EXPECT_EQ(t.prompts.fileQuestions().back().filters.front().first, "Batch file PloqPC");
}

TEST_F(LegendWindow, MissingFileIsToldAndNoWindowIsMade)
{
    t.app.settings().NomFBatch = "undefined";
    t.prompts.expectMessage("Symbols file not found, reselect it..");
    EXPECT_EQ(AfficherBatch(t.app, kBatchFile, {0, 0}), nullptr);
    EXPECT_EQ(t.app.dialog(kWinSymbBatch), nullptr);
}

TEST_F(LegendWindow, EntriesThatCannotBeUsedAreToldOnce)
{
    const std::vector<std::string> lines = {"S0 (2 +6)", "S1 (2 +40)", "S2 (20 +1)"};
    t.prompts.expectMessage("line 2 skipped: symbol 40");
    TSymbBatch* window = AfficherBatch(t.app, kBatchOptionsList, {0, 0}, lines, "new file");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->table().NbBatch(), 1);
    ASSERT_EQ(t.prompts.messages().size(), 1u);
    EXPECT_NE(t.prompts.messages()[0].text.find("line 3 skipped: colour 20"), std::string::npos);
}

TEST_F(LegendWindow, ClosingTellsThePlotDialog)
{
    TSymbBatch* window = AfficherBatch(t.app, kBatchCanvasLegend, {0, 0}, lsy);
    const auto closed = Count(window, &TSymbBatch::closed);
    window->close();
    EXPECT_EQ(*closed, 1);
}

TEST(SymbolImages, PreviewStripAndLegendShowTheColours)
{
    VarGlob settings;
    const QImage preview = ApercuSymboleImage(settings.Tco, 6, 2, {24, 24});
    EXPECT_EQ(preview.pixel(12, 12), ToQRgb(settings.Tco[2]));
    EXPECT_EQ(preview.pixel(0, 0), qRgb(255, 255, 255));

    const QImage strip = BandeCouleursImage(settings.Tco, 12, 4);
    EXPECT_EQ(strip.size(), QSize(100, 16));
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(strip.pixel(8 + 12 * c, 8), ToQRgb(settings.Tco[c])) << c;

    const std::vector<BatchEntry> entries = {{"S0", 6, 2}, {"L1", -3, 4}};
    const QImage legend = LegendeImage(settings.Tco, entries);
    EXPECT_EQ(legend.height(), 49);
    EXPECT_EQ(legend.pixel(10, 17), ToQRgb(settings.Tco[2]));
    EXPECT_EQ(legend.pixel(10, 42), ToQRgb(settings.Tco[4])) << "tail below the second symbol";
}

} // namespace
} // namespace ploq
