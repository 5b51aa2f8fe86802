#include "app/WindowRegistry.h"

#include "app/MenuState.h"

#include <algorithm>

namespace ploq {

bool WindowRegistry::add(DataWindow& window)
{
    const std::optional<int> slot = slots_[index(window.kind())].take();
    if (!slot)
        return false;
    window.slot_ = *slot;
    window.tag_ = TagBase(window.kind()) + *slot;
    windows_[index(window.kind())][static_cast<std::size_t>(*slot)] = &window;
    return true;
}

void WindowRegistry::remove(DataWindow& window)
{
    const std::size_t k = index(window.kind());
    if (window.slot_ < 1 || windows_[k][static_cast<std::size_t>(window.slot_)] != &window)
        return;
    slots_[k].release(window.slot_);
    windows_[k][static_cast<std::size_t>(window.slot_)] = nullptr;
    std::erase(activations_, &window);
    if (ActiveTag == window.tag_)
        ActiveTag = kTagMain;
    window.slot_ = 0;
    window.tag_ = -1;
    if (current_[k] == &window) {
        current_[k] = nullptr;
        for (auto it = activations_.rbegin(); it != activations_.rend(); ++it)
            if ((*it)->kind() == window.kind() && (*it)->isNormal()) {
                current_[k] = *it;
                break;
            }
    }
}

void WindowRegistry::activate(DataWindow& window)
{
    if (window.slot_ < 1)
        return;
    current_[index(window.kind())] = &window;
    ActiveTag = window.tag_;
    std::erase(activations_, &window);
    activations_.push_back(&window);
}

DataWindow* WindowRegistry::inSlot(WindowKind kind, int slot) const
{
    if (slot < 1 || slot > kMaxWindows)
        return nullptr;
    return windows_[index(kind)][static_cast<std::size_t>(slot)];
}

std::vector<DataWindow*> WindowRegistry::windows(WindowKind kind) const
{
    std::vector<DataWindow*> open;
    for (DataWindow* w : windows_[index(kind)])
        if (w)
            open.push_back(w);
    return open;
}

std::vector<DataWindow*> WindowRegistry::recent(WindowKind kind) const
{
    std::vector<DataWindow*> latestFirst;
    for (auto it = activations_.rbegin(); it != activations_.rend(); ++it)
        if ((*it)->kind() == kind)
            latestFirst.push_back(*it);
    return latestFirst;
}

DataWindow* WindowRegistry::active() const
{
    for (std::size_t k = 0; k < 3; ++k)
        if (current_[k] && current_[k]->tag() == ActiveTag)
            return current_[k];
    return nullptr;
}

void WindowRegistry::fill(AppSnapshot& snapshot) const
{
    snapshot.sheetExists = current(WindowKind::Sheet) != nullptr;
    snapshot.canvasExists = current(WindowKind::Canvas) != nullptr;
    snapshot.textExists = current(WindowKind::Text) != nullptr;
    snapshot.windowsListed = false;
    for (std::size_t k = 0; k < 3; ++k)
        for (DataWindow* w : windows_[k])
            snapshot.windowsListed = snapshot.windowsListed || (w && w->isListed());
    snapshot.current = Current::None;
    if (DataWindow* w = active()) {
        static constexpr Current currents[] = {Current::Sheet, Current::Canvas, Current::Text};
        snapshot.current = currents[index(w->kind())];
        snapshot.title = w->title();
        w->describe(snapshot);
    }
}

} // namespace ploq
