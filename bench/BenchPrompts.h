// Prompts for benchmarks: every message box answered with one button, every other question
// cancelled, so a timed command never waits for a user.

#pragma once

#include "platform/Prompts.h"

namespace ploq::bench {

class AnsweringPrompts : public Prompts {
public:
    explicit AnsweringPrompts(Button answer = Button::Ok) : answer_(answer) {}

    Button message(const Message&) override { return answer_; }
    std::optional<std::string> openFile(const FileQuestion&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileQuestion&) override { return std::nullopt; }
    std::optional<std::string> askText(const TextQuestion&) override { return std::nullopt; }
    std::optional<NumberAnswer> askNumber(const NumberQuestion&) override { return std::nullopt; }
    ColourAnswer chooseColour(TColor) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }

private:
    Button answer_;
};

} // namespace ploq::bench
