#include "cli/CliPrompts.h"

#include "platform/Text1252.h"

#include <algorithm>
#include <iostream>

namespace ploq {

Button CliPrompts::message(const Message& message)
{
    std::string text = Cp1252ToUtf8(message.text);
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::cerr << "ploq-cli: " << text << '\n';
    return message.buttons == Buttons(Button::Ok) ? Button::Ok : Button::Cancel;
}

} // namespace ploq
