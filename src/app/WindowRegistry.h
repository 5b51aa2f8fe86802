#pragma once

// The windows that hold data, in their slots, and the current object of each kind: data
// sheets (tags 1..15), canvases (256..270) and text windows (4096..4110).

#include "app/Commands.h"
#include "model/TypesGlob.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ploq {

struct AppSnapshot;

enum class WindowKind { Sheet = 0, Canvas = 1, Text = 2 };

// What the registry and the menus need to know of a data window.
class DataWindow {
public:
    virtual ~DataWindow() = default;
    virtual WindowKind kind() const = 0;
    virtual std::string title() const = 0;
    // Shown and neither minimised nor maximised: a candidate to become current.
    virtual bool isNormal() const = 0;
    virtual bool isListed() const { return true; } // visible, for the Windows menu
    // Asks the user about unsaved changes: true when the window may close (saved, or the
    // changes given up); false to keep it, including when a save failed.
    virtual bool queryClose() { return true; }
    // Closes the window without asking again (its question was answered).
    virtual void closeWithoutAsking() = 0;
    // Undo, Cut, Copy and Paste of the Edit menu while this window is the current one.
    virtual void runEdit(Cmd command) { (void)command; }
    // Fills in what the menus need to know when this window is the current one.
    virtual void describe(AppSnapshot& snapshot) const = 0;

    int tag() const { return tag_; }
    int slot() const { return slot_; }

private:
    friend class WindowRegistry;
    int tag_ = -1;
    int slot_ = 0;
};

constexpr int TagBase(WindowKind kind)
{
    return kind == WindowKind::Sheet ? kTagSheetBase
           : kind == WindowKind::Canvas ? kTagCanvasBase : kTagTextBase;
}

class WindowRegistry {
public:
    // Puts the window in the lowest free slot of its kind and gives it its tag; false when
    // the 15 slots are taken.
    bool add(DataWindow& window);
    // Frees the window's slot; the current window of that kind becomes the most recently
    // activated normal one that remains, or none.
    void remove(DataWindow& window);
    // The window becomes the current one of its kind and ActiveTag takes its tag.
    void activate(DataWindow& window);
    // The information panel of the main window was clicked.
    void activateMain() { ActiveTag = kTagMain; }

    DataWindow* current(WindowKind kind) const { return current_[index(kind)]; }
    DataWindow* inSlot(WindowKind kind, int slot) const;
    // Open windows of the kind, by slot.
    std::vector<DataWindow*> windows(WindowKind kind) const;
    int count(WindowKind kind) const { return slots_[index(kind)].count(); }
    // Windows of the kind that were activated, the latest first.
    std::vector<DataWindow*> recent(WindowKind kind) const;
    // The window the last activation chose, by ActiveTag.
    DataWindow* active() const;
    // The window of the kind activated last among those `accept` takes, or null.
    template <class Accept> DataWindow* latest(WindowKind kind, Accept accept) const
    {
        for (auto it = activations_.rbegin(); it != activations_.rend(); ++it)
            if ((*it)->kind() == kind && accept(**it))
                return *it;
        return nullptr;
    }

    // The menus' view of the application (the window's own part comes from describe).
    void fill(AppSnapshot& snapshot) const;

    int ActiveTag = kTagMain;

private:
    static std::size_t index(WindowKind kind) { return static_cast<std::size_t>(kind); }

    std::array<SlotTable, 3> slots_;
    std::array<std::array<DataWindow*, kMaxWindows + 1>, 3> windows_{};
    std::array<DataWindow*, 3> current_{};
    std::vector<DataWindow*> activations_; // latest last
};

} // namespace ploq
