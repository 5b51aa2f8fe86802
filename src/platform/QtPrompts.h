#pragma once

// The prompts shown as Qt message boxes and file dialogs.

#include "platform/Prompts.h"

#include <functional>

class QWidget;

namespace ploq {

// Each box is owned by the window it concerns, which has the focus back when the box closes.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    // The window a box goes with when no owner tells otherwise.
    void setParent(QWidget* parent) { parent_ = parent; }
    // Tells, at each question, the window it concerns.
    void setOwner(std::function<QWidget*()> owner) { owner_ = std::move(owner); }

    Button message(const Message& message) override;
    std::optional<std::string> openFile(const FileQuestion& question) override;
    std::optional<std::string> saveFile(const FileQuestion& question) override;
    std::optional<std::string> askText(const TextQuestion& question) override;
    std::optional<NumberAnswer> askNumber(const NumberQuestion& question) override;
    std::optional<SaveChoice> saveFileAndType(const FileQuestion& question) override;
    ColourAnswer chooseColour(TColor initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

private:
    QWidget* owner() const;

    QWidget* parent_;
    std::function<QWidget*()> owner_;
};

} // namespace ploq
