#pragma once

// Nobody answers questions on the command line: a message goes to standard error, a question
// is taken as cancelled and a file or value asked for is not given.

#include "platform/Prompts.h"

namespace ploq {

class CliPrompts : public Prompts {
public:
    Button message(const Message& message) override;
    std::optional<std::string> openFile(const FileQuestion&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileQuestion&) override { return std::nullopt; }
    std::optional<std::string> askText(const TextQuestion&) override { return std::nullopt; }
    std::optional<NumberAnswer> askNumber(const NumberQuestion&) override { return std::nullopt; }
    // No window to choose in: the colour or font stays as it is.
    ColourAnswer chooseColour(TColor) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
};

} // namespace ploq
