#pragma once

// An application for widget tests: a fresh folder as its current directory (so the preference
// file is written there), scripted prompts, a fixed clock and recording images.

#include "app/Application.h"
#include "platform/Clock.h"
#include "platform/QtSurface.h"
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

// The same with canvases that draw real pixels, and their preference file written at once.
struct PixelApp {
    PixelApp() { SavePrefsFile(app.settings(), dir.path() / std::string(kPrefFileName), 0); }

    TempDir dir;
    CurrentDir inside{dir.path()};
    ScriptedPrompts prompts;
    FixedClock clock{toDayCount({2026, 12, 9, 14, 5, 0})};
    QtImageFactory images;
    Application app{prompts, clock, images, dir.path() / std::string(kPrefFileName)};
};

} // namespace ploq::test
