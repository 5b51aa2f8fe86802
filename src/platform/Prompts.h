#pragma once

// Everything Ploq asks or tells the user in a modal box goes through this interface, so that
// the core never shows anything itself and tests can script the answers.
// Message texts, titles and filter descriptions are Windows-1252 bytes; paths are the file
// system's own (UTF-8) names.

#include "platform/Surface.h"

#include <optional>
#include <string>
#include <vector>

namespace ploq {

enum class MsgKind { Error, Warning, Information, Confirmation };

enum class Button { None = 0, Ok = 1, Cancel = 2, Yes = 4, No = 8, Abort = 16 };

// A set of buttons, e.g. Buttons::yesNoCancel.
struct Buttons {
    int bits = 0;

    constexpr Buttons() = default;
    constexpr Buttons(Button b) : bits(static_cast<int>(b)) {}
    constexpr Buttons operator|(Button b) const
    {
        Buttons r = *this;
        r.bits |= static_cast<int>(b);
        return r;
    }
    constexpr bool has(Button b) const { return (bits & static_cast<int>(b)) != 0; }
    friend constexpr bool operator==(Buttons, Buttons) = default;
};

constexpr Buttons operator|(Button a, Button b) { return Buttons(a) | b; }

struct Message {
    MsgKind kind = MsgKind::Information;
    std::string text;
    Buttons buttons = Button::Ok;
    // Top-left corner of the box on the screen; none for the default place, over the window
    // the box concerns, or the middle of the screen when `screenCentre` is set.
    std::optional<Point> at;
    bool screenCentre = false;
};

// A file chooser: its caption, the folder it opens in, a proposed name, and its filters as
// pairs of a description and a pattern ("Data sheets", "*.plq").
struct FileQuestion {
    std::string title;
    std::string folder;
    std::string proposedName;
    std::vector<std::pair<std::string, std::string>> filters;
    int selectedFilter = 0; // the filter shown first
};

// A file to save and the filter the user chose with it (an index into the question's filters).
struct SaveChoice {
    std::string path;
    int filter = 0;
};

// A one-line value question: a caption, a question, the text proposed in the box.
struct TextQuestion {
    std::string caption;
    std::string question;
    std::string text;
    std::optional<Point> at;
};

// A whole number chosen in a spin box that keeps it within its range, with an optional tick box
// under it.
struct NumberQuestion {
    std::string caption;
    std::string label;
    int value = 0;
    int minimum = 0;
    int maximum = 100;
    int step = 1;
    std::string option; // the tick box's text; no tick box when empty
    bool optionChecked = false;
    std::optional<Point> at;
};

struct NumberAnswer {
    int value = 0;
    bool optionChecked = false;
};

// A colour chooser's answer: the colour chosen, or none when the user cancels; `shown` is false
// when the chooser could not be shown at all.
struct ColourAnswer {
    bool shown = true;
    std::optional<TColor> colour;
};

// A font as the settings hold it: its name (Windows-1252) and its height, negative for the
// height of its characters in pixels.
struct FontChoice {
    std::string name;
    int height = -13;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows the message and returns the button pressed (Cancel when the box is dismissed).
    virtual Button message(const Message& message) = 0;
    // The chosen path, or none when the user cancels.
    virtual std::optional<std::string> openFile(const FileQuestion& question) = 0;
    virtual std::optional<std::string> saveFile(const FileQuestion& question) = 0;
    // The text typed (Windows-1252), or none when the user cancels.
    virtual std::optional<std::string> askText(const TextQuestion& question) = 0;
    // The number and the tick chosen, or none when the user cancels.
    virtual std::optional<NumberAnswer> askNumber(const NumberQuestion& question) = 0;
    // The system's colour chooser preset with `initial`.
    virtual ColourAnswer chooseColour(TColor initial) = 0;
    // The system's font chooser preset with `initial`; none when the user cancels.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // As saveFile, for callers that act on the chosen file type.
    virtual std::optional<SaveChoice> saveFileAndType(const FileQuestion& question)
    {
        std::optional<std::string> path = saveFile(question);
        if (!path)
            return std::nullopt;
        return SaveChoice{std::move(*path), question.selectedFilter};
    }

    Button error(std::string text, Buttons buttons = Button::Ok, std::optional<Point> at = {})
    {
        return message({MsgKind::Error, std::move(text), buttons, at});
    }
    Button warning(std::string text, Buttons buttons = Button::Ok, std::optional<Point> at = {})
    {
        return message({MsgKind::Warning, std::move(text), buttons, at});
    }
    Button information(std::string text, Buttons buttons = Button::Ok, std::optional<Point> at = {})
    {
        return message({MsgKind::Information, std::move(text), buttons, at});
    }
    Button confirmation(std::string text, Buttons buttons, std::optional<Point> at = {})
    {
        return message({MsgKind::Confirmation, std::move(text), buttons, at});
    }
    // The colour chosen; none when cancelled, or when the chooser could not be shown (told).
    std::optional<TColor> ChooseColour(TColor initial)
    {
        const ColourAnswer answer = chooseColour(initial);
        if (!answer.shown) {
            error("Impossible to load the colour selection dialog box");
            return std::nullopt;
        }
        return answer.colour;
    }
};

} // namespace ploq
