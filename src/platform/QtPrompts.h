#pragma once

// The prompts shown as Qt message boxes and file dialogs.

#include "platform/Prompts.h"

class QWidget;

namespace ploq {

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Button message(const Message& message) override;
    std::optional<std::string> openFile(const FileQuestion& question) override;
    std::optional<std::string> saveFile(const FileQuestion& question) override;
    std::optional<std::string> askText(const TextQuestion& question) override;
    std::optional<NumberAnswer> askNumber(const NumberQuestion& question) override;
    std::optional<SaveChoice> saveFileAndType(const FileQuestion& question) override;

private:
    QWidget* parent_;
};

} // namespace ploq
