#include "app/MenuState.h"
#include "app/WindowRegistry.h"

#include <gtest/gtest.h>

#include <memory>

namespace ploq {
namespace {

class FakeWindow : public DataWindow {
public:
    FakeWindow(WindowKind kind, std::string title) : kind_(kind), title_(std::move(title)) {}
    WindowKind kind() const override { return kind_; }
    std::string title() const override { return title_; }
    bool isNormal() const override { return normal; }
    void describe(AppSnapshot& s) const override { s.sheetDirty = dirty; }
    void closeWithoutAsking() override {}
    bool normal = true;
    bool dirty = false;

private:
    WindowKind kind_;
    std::string title_;
};

TEST(WindowRegistry, SlotsAndTags)
{
    WindowRegistry registry;
    std::vector<std::unique_ptr<FakeWindow>> canvases;
    for (int k = 1; k <= 15; ++k) {
        canvases.push_back(std::make_unique<FakeWindow>(WindowKind::Canvas, "c"));
        ASSERT_TRUE(registry.add(*canvases.back()));
        EXPECT_EQ(canvases.back()->tag(), 255 + k);
    }
    FakeWindow sixteenth(WindowKind::Canvas, "c16");
    EXPECT_FALSE(registry.add(sixteenth));
    registry.remove(*canvases[2]);
    EXPECT_TRUE(registry.add(sixteenth));
    EXPECT_EQ(sixteenth.tag(), 258) << "slot 3 is reused";

    FakeWindow text(WindowKind::Text, "t");
    FakeWindow sheet(WindowKind::Sheet, "s");
    registry.add(text);
    registry.add(sheet);
    EXPECT_EQ(text.tag(), 4096);
    EXPECT_EQ(sheet.tag(), 1);
}

TEST(WindowRegistry, ClosingMakesTheLatestNormalWindowCurrent)
{
    WindowRegistry registry;
    FakeWindow a(WindowKind::Sheet, "A");
    FakeWindow b(WindowKind::Sheet, "B");
    FakeWindow c(WindowKind::Sheet, "C");
    FakeWindow canvas(WindowKind::Canvas, "P");
    for (FakeWindow* w : {&a, &b, &c, &canvas})
        registry.add(*w);
    registry.activate(a);
    registry.activate(b);
    registry.activate(c);
    registry.activate(canvas);
    EXPECT_EQ(registry.ActiveTag, canvas.tag());
    EXPECT_EQ(registry.current(WindowKind::Sheet), &c);

    b.normal = false; // minimised
    registry.remove(c);
    EXPECT_EQ(registry.current(WindowKind::Sheet), &a) << "B is minimised";
    EXPECT_EQ(registry.ActiveTag, canvas.tag()) << "the canvas stays the current object";
    registry.remove(canvas);
    EXPECT_EQ(registry.ActiveTag, kTagMain);
    EXPECT_EQ(registry.current(WindowKind::Canvas), nullptr);
    registry.remove(a);
    EXPECT_EQ(registry.current(WindowKind::Sheet), nullptr) << "only a minimised sheet is left";
}

TEST(WindowRegistry, RecentWindowsOfAKindComeLatestFirst)
{
    WindowRegistry registry;
    FakeWindow a(WindowKind::Canvas, "A");
    FakeWindow b(WindowKind::Canvas, "B");
    FakeWindow c(WindowKind::Canvas, "C");
    FakeWindow sheet(WindowKind::Sheet, "S");
    for (FakeWindow* w : {&a, &b, &c, &sheet})
        registry.add(*w);
    for (FakeWindow* w : {&a, &b, &sheet, &a})
        registry.activate(*w);
    EXPECT_EQ(registry.recent(WindowKind::Canvas), (std::vector<DataWindow*>{&a, &b}))
        << "C was never activated";
    registry.remove(a);
    EXPECT_EQ(registry.recent(WindowKind::Canvas), (std::vector<DataWindow*>{&b}));
}

TEST(WindowRegistry, SnapshotOfTheCurrentWindow)
{
    WindowRegistry registry;
    FakeWindow sheet(WindowKind::Sheet, "S1");
    sheet.dirty = true;
    registry.add(sheet);
    AppSnapshot none;
    registry.fill(none);
    EXPECT_EQ(none.current, Current::None);
    EXPECT_TRUE(none.windowsListed);

    registry.activate(sheet);
    AppSnapshot s;
    registry.fill(s);
    EXPECT_EQ(s.current, Current::Sheet);
    EXPECT_EQ(s.title, "S1");
    EXPECT_TRUE(s.sheetDirty);
    EXPECT_TRUE(s.sheetExists);
    registry.activateMain();
    AppSnapshot main;
    registry.fill(main);
    EXPECT_EQ(main.current, Current::None);
    EXPECT_TRUE(main.sheetExists);
}

} // namespace
} // namespace ploq
