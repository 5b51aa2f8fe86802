#pragma once

// The text output window: reports too long for an information panel, exports and listings,
// and text files opened by the user, in one rich-text control that can be edited, saved as
// plain or rich text, and printed.
//
// A producer writes a report like this:
//     TWText* w = NewTextWindow(app, 2, "Codes Infos");
//     if (!w) return;                      // 15 windows open: the user was told
//     w->appendLine("14:05 - Info codes", true, clRed);
//     w->appendLine("Nature");
//     w->show();

#include "app/WindowRegistry.h"
#include "datasheet/Texte.h"

#include <QWidget>

#include <optional>
#include <string>

class QPrinter;
class QTextDocument;
class QTextEdit;

namespace ploq {

class Application;
class Prompts;
class TForm1;

class TWText : public QWidget, public DataWindow {
    Q_OBJECT

public:
    // Use NewTextWindow: a text window exists only in a slot.
    explicit TWText(Application& app);
    ~TWText() override;

    // DataWindow
    WindowKind kind() const override { return WindowKind::Text; }
    std::string title() const override { return title_; }
    bool isNormal() const override;
    bool isListed() const override { return isVisible(); }
    bool queryClose() override;
    void closeWithoutAsking() override;
    void runEdit(Cmd command) override;
    void describe(AppSnapshot& snapshot) const override;

    QTextEdit* RichEdit1() const { return richEdit1_; }

    void setTitle(const std::string& title);
    // The kind of text (`but`): it chooses the file types offered when saving.
    int but() const { return but_; }
    void setBut(int kind) { but_ = kind; }
    // Saving mode: plain text, or rich text (the default).
    bool plainMode() const { return plainMode_; }
    void setPlainMode(bool plain) { plainMode_ = plain; }
    const std::string& lNomF() const { return lNomF_; }
    bool dirty() const { return dirty_; }
    // Producers that want no save question for what they wrote clear the flag.
    void setDirty(bool dirty) { dirty_ = dirty; }
    void setWordWrap(bool wrap);

    // Appends a line (Windows-1252) in one format, or a line of runs in several.
    void appendLine(const std::string& line, bool bold = false, TColor colour = clBlack);
    void appendParagraph(const TextParagraph& paragraph);
    // The whole text, and its replacement.
    TextDocument document() const;
    void setDocument(const TextDocument& document);

    // Saves the text: in place when it has a file and no new name is asked for, else through
    // the save dialog. False when nothing was saved (cancelled, or the file could not be
    // written, which the user is told).
    bool DoSaveText(bool saveAs);
    // Reads a file into the window: rich text keeps its formatting and saves again as rich
    // text, anything else is plain text. False, after telling the user, when it cannot be read.
    bool LoadFile(const std::string& path);

    // Prints the text on the printer as it is set up; the preview shows the same pages.
    void Print(QPrinter& printer) const;
    void PrintPreview();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool writeFile(const std::string& path, bool plain);
    void textChanged();

    Application& app_;
    QTextEdit* richEdit1_ = nullptr;
    std::string title_;
    int but_ = 0;
    bool plainMode_ = false;
    LineBreaks lineBreaks_; // of the file read, kept when it is saved as plain text
    std::string lNomF_;
    bool dirty_ = false;
    bool hadText_ = false;       // for the menus: "Save as" needs text
    bool firstLineFree_ = true;  // the empty document's first line awaits the first append
    bool closeAnswered_ = false; // the close question was asked by the main window
};

// What saving a text does, for text windows and for the information panels of other windows.
// The text of a rich-text control as paragraphs of runs.
TextDocument DocumentOf(const QTextDocument& text);
// Writes the document as plain or rich text (in Courier New of that size) through a file
// renamed into place, plain text with the line breaks of the file it was read from; false,
// after telling the user, when it could not be written.
bool WriteTextFile(Prompts& prompts, const std::string& path, const TextDocument& document,
                   bool plain, int pointSize, const LineBreaks& breaks = {});
// Asks for a file among the types of a kind of text (SaveTypesFor) and writes the document
// there; the path written and whether as plain text, or none (cancelled, or not written).
struct SavedText {
    std::string path;
    bool plain = false;
};
std::optional<SavedText> SaveTextAs(Prompts& prompts, const TextDocument& document,
                                    const std::string& title, int kind, bool plainMode,
                                    int pointSize);
// Whether a file may be written at a path other than the one the save dialog confirmed: it
// does not exist, or the user agrees to replace it.
bool MayReplace(Prompts& prompts, const std::string& path);
// The print preview of a document, its pages printed from there; titled "Print" and the title.
void PrintTextPreview(QWidget& parent, QTextDocument& document, const std::string& title);

// Makes an empty, hidden text window in the lowest free slot, titled "WT n° k" (or `title`),
// of the kind, placed below the main window, and makes it the current text window. Null, after
// telling the user, when 15 text windows are open: the producer must then stop.
TWText* NewTextWindow(Application& app, int kind = 0, const std::string& title = {});

// Places a shown window 10 pixels right of a sheet at its top, moved left when it would end less
// than 5 pixels inside the sheet's screen: where exports of a sheet open.
void PlaceTextBesideSheet(QWidget& window, const QWidget& sheet);

// The current text window, or null.
TWText* ActiveWT(Application& app);

// Asks for a text or rich-text file and opens it in a new text window.
void OpenTextFiles(Application& app);

// The main window's File commands for a current text window (save, save as, print, delete)
// and "Open other files". Commands installed earlier keep working for the other windows.
void InstallTextCommands(TForm1& form, Application& app);

} // namespace ploq
