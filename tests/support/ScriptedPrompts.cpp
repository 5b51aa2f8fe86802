#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ploq::test {

namespace {

const char* kindName(int kind)
{
    static const char* const names[] = {"message",       "open-file question", "save-file question",
                                        "text question", "number question",    "colour chooser",
                                        "font chooser"};
    return names[kind];
}

} // namespace

ScriptedPrompts::~ScriptedPrompts()
{
    for (const Step& step : script_)
        ADD_FAILURE() << "expected " << kindName(static_cast<int>(step.kind))
                      << " was never asked: " << step.textPart;
}

ScriptedPrompts& ScriptedPrompts::expectMessage(std::string textPart, Button answer)
{
    script_.push_back({Kind::Message, std::move(textPart), answer, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectOpenFile(std::optional<std::string> path)
{
    script_.push_back({Kind::OpenFile, {}, Button::Ok, std::move(path)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectSaveFile(std::optional<std::string> path, int filter)
{
    script_.push_back({Kind::SaveFile, {}, Button::Ok, std::move(path), filter});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectText(std::string questionPart,
                                             std::optional<std::string> answer)
{
    script_.push_back({Kind::Text, std::move(questionPart), Button::Ok, std::move(answer)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectNumber(std::string labelPart, std::optional<int> value,
                                               int tick)
{
    Step step{Kind::Number, std::move(labelPart)};
    step.number = value;
    step.filter = tick;
    script_.push_back(std::move(step));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectColour(std::optional<TColor> colour, bool shown)
{
    Step step{Kind::Colour, "colour"};
    step.colour = colour;
    step.shown = shown;
    script_.push_back(std::move(step));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectFont(std::optional<FontChoice> font)
{
    Step step{Kind::Font, "font"};
    step.font = std::move(font);
    script_.push_back(std::move(step));
    return *this;
}

std::optional<ScriptedPrompts::Step> ScriptedPrompts::next(Kind kind, const std::string& asked)
{
    if (script_.empty() || script_.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << kindName(static_cast<int>(kind)) << ": " << asked;
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if ((kind == Kind::Message || kind == Kind::Text || kind == Kind::Number)
        && asked.find(step.textPart) == std::string::npos)
        ADD_FAILURE() << "question \"" << asked << "\" does not contain \"" << step.textPart
                      << "\"";
    return step;
}

Button ScriptedPrompts::message(const Message& message)
{
    messages_.push_back(message);
    const auto step = next(Kind::Message, message.text);
    return step ? step->answer : Button::Cancel;
}

std::optional<std::string> ScriptedPrompts::openFile(const FileQuestion& question)
{
    fileQuestions_.push_back(question);
    const auto step = next(Kind::OpenFile, question.title);
    return step ? step->path : std::nullopt;
}

std::optional<std::string> ScriptedPrompts::saveFile(const FileQuestion& question)
{
    std::optional<SaveChoice> choice = saveFileAndType(question);
    if (!choice)
        return std::nullopt;
    return std::move(choice->path);
}

std::optional<SaveChoice> ScriptedPrompts::saveFileAndType(const FileQuestion& question)
{
    fileQuestions_.push_back(question);
    const auto step = next(Kind::SaveFile, question.title);
    if (!step || !step->path)
        return std::nullopt;
    return SaveChoice{*step->path, step->filter < 0 ? question.selectedFilter : step->filter};
}

std::optional<std::string> ScriptedPrompts::askText(const TextQuestion& question)
{
    textQuestions_.push_back(question);
    const auto step = next(Kind::Text, question.question);
    return step ? step->path : std::nullopt;
}

std::optional<NumberAnswer> ScriptedPrompts::askNumber(const NumberQuestion& question)
{
    numberQuestions_.push_back(question);
    const auto step = next(Kind::Number, question.label);
    if (!step || !step->number)
        return std::nullopt;
    // What the spin box lets the user choose.
    const int value = std::clamp(*step->number, question.minimum, question.maximum);
    const bool tick = step->filter < 0 ? question.optionChecked : step->filter != 0;
    return NumberAnswer{value, !question.option.empty() && tick};
}

ColourAnswer ScriptedPrompts::chooseColour(TColor initial)
{
    colourQuestions_.push_back(initial);
    const auto step = next(Kind::Colour, "colour");
    if (!step)
        return {true, std::nullopt};
    return {step->shown, step->shown ? step->colour : std::nullopt};
}

std::optional<FontChoice> ScriptedPrompts::chooseFont(const FontChoice& initial)
{
    fontQuestions_.push_back(initial);
    const auto step = next(Kind::Font, initial.name);
    return step ? step->font : std::nullopt;
}

} // namespace ploq::test
