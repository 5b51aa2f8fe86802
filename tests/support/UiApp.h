#pragma once

// An application for widget tests: a fresh folder as its current directory (so the preference
// file is written there), scripted prompts, a fixed clock and recording images.

#include "app/Application.h"
#include "platform/Clock.h"
#include "platform/RecordingSurface.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace ploq::test {

class UiApp {
public:
    UiApp() : inside_(dir_.path()) {}

    std::filesystem::path prefsPath() const { return dir_.path() / kPrefFileName; }

    TempDir dir_;
    CurrentDir inside_;
    ScriptedPrompts prompts;
    FixedClock clock{toDayCount({2026, 12, 9, 14, 5, 0})};
    RecordingImageFactory images;
    Application app{prompts, clock, images, prefsPath()};
};

} // namespace ploq::test
