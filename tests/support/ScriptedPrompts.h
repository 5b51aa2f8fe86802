#pragma once

// Prompts answered from a script: each expected question is queued with its answer, every
// question asked is recorded, and a question nobody expected fails the test.

#include "platform/Prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace ploq::test {

class ScriptedPrompts : public Prompts {
public:
    ~ScriptedPrompts() override;

    // The next message must contain `textPart`; it is answered with `answer`.
    ScriptedPrompts& expectMessage(std::string textPart, Button answer = Button::Ok);
    // The next file question is answered with the path, or cancelled with none.
    ScriptedPrompts& expectOpenFile(std::optional<std::string> path);
    // The next one-line question must contain `questionPart`; it is answered with the text, or
    // cancelled with none.
    ScriptedPrompts& expectText(std::string questionPart, std::optional<std::string> answer);
    // The filter the user chooses with it: -1 keeps the one the question shows first.
    ScriptedPrompts& expectSaveFile(std::optional<std::string> path, int filter = -1);
    // The next number question must contain `labelPart`; it is answered with the number and
    // the tick (-1 keeps the tick the question proposes), or cancelled with none.
    ScriptedPrompts& expectNumber(std::string labelPart, std::optional<int> value, int tick = -1);
    // The next colour chooser is answered with the colour, or cancelled with none; `shown`
    // false: the chooser cannot be shown.
    ScriptedPrompts& expectColour(std::optional<TColor> colour, bool shown = true);
    // The next font chooser is answered with the font, or cancelled with none.
    ScriptedPrompts& expectFont(std::optional<FontChoice> font);

    Button message(const Message& message) override;
    std::optional<std::string> openFile(const FileQuestion& question) override;
    std::optional<std::string> saveFile(const FileQuestion& question) override;
    std::optional<std::string> askText(const TextQuestion& question) override;
    std::optional<NumberAnswer> askNumber(const NumberQuestion& question) override;
    std::optional<SaveChoice> saveFileAndType(const FileQuestion& question) override;
    ColourAnswer chooseColour(TColor initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

    // What each chooser was preset with.
    const std::vector<TColor>& colourQuestions() const { return colourQuestions_; }
    const std::vector<FontChoice>& fontQuestions() const { return fontQuestions_; }
    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<FileQuestion>& fileQuestions() const { return fileQuestions_; }
    const std::vector<TextQuestion>& textQuestions() const { return textQuestions_; }
    const std::vector<NumberQuestion>& numberQuestions() const { return numberQuestions_; }
    bool allAnswered() const { return script_.empty(); }

private:
    enum class Kind { Message, OpenFile, SaveFile, Text, Number, Colour, Font };
    struct Step {
        Kind kind;
        std::string textPart;
        Button answer = Button::Ok;
        std::optional<std::string> path = std::nullopt;
        int filter = -1;
        std::optional<int> number = std::nullopt;
        std::optional<TColor> colour = std::nullopt;
        bool shown = true;
        std::optional<FontChoice> font = std::nullopt;
    };
    std::optional<Step> next(Kind kind, const std::string& asked);

    std::deque<Step> script_;
    std::vector<Message> messages_;
    std::vector<FileQuestion> fileQuestions_;
    std::vector<TextQuestion> textQuestions_;
    std::vector<NumberQuestion> numberQuestions_;
    std::vector<TColor> colourQuestions_;
    std::vector<FontChoice> fontQuestions_;
};

} // namespace ploq::test
