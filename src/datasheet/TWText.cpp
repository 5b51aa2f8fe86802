#include "datasheet/TWText.h"

#include "app/Application.h"
#include "app/Main.h"
#include "app/ScreenPlace.h"
#include "datasheet/Fichier.h"
#include "datasheet/Rtf.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "platform/SafeFile.h"
#include "platform/Text1252.h"

#include <QCloseEvent>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace ploq {

namespace {

QTextCharFormat formatOf(const TextRun& run)
{
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setForeground(QColor(redOf(run.colour), greenOf(run.colour), blueOf(run.colour)));
    return format;
}

TColor colourOf(const QTextCharFormat& format)
{
    if (format.foreground().style() == Qt::NoBrush)
        return clBlack;
    const QColor c = format.foreground().color();
    return rgb(c.red(), c.green(), c.blue());
}

void insertRuns(QTextCursor& cursor, const TextParagraph& paragraph)
{
    for (const TextRun& run : paragraph.runs)
        cursor.insertText(toQString(run.text), formatOf(run));
}

// A new line starts unformatted, whatever the line before ended with.
void insertLineBreak(QTextCursor& cursor)
{
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

FileQuestion saveQuestion(const std::string& title, const TextSaveTypes& types)
{
    FileQuestion question;
    question.title = "Save as";
    question.proposedName = Cp1252ToUtf8(title);
    for (const TextFileType& type : types.types)
        question.filters.emplace_back(type.description, type.pattern);
    question.selectedFilter = types.preselected;
    return question;
}

} // namespace

TWText::TWText(Application& app) : QWidget(app.mainWindow(), Qt::Window), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    richEdit1_ = new QTextEdit(this);
    richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
    QFont font(QStringLiteral("Courier"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    richEdit1_->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(richEdit1_);
    connect(richEdit1_, &QTextEdit::textChanged, this, &TWText::textChanged);
}

TWText::~TWText()
{
    app_.removeWindow(*this);
}

bool TWText::isNormal() const
{
    return IsNormalWindow(*this);
}

void TWText::setTitle(const std::string& title)
{
    title_ = title;
    setWindowTitle(toQString(title));
    emit app_.menusChanged();
}

void TWText::setWordWrap(bool wrap)
{
    richEdit1_->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TWText::describe(AppSnapshot& s) const
{
    s.textHasLines = !richEdit1_->document()->isEmpty();
}

void TWText::runEdit(Cmd command)
{
    switch (command) {
    case Cmd::EditUndo:
        if (richEdit1_->document()->isUndoAvailable())
            richEdit1_->undo();
        break;
    case Cmd::EditCut: richEdit1_->cut(); break;
    case Cmd::EditCopy: richEdit1_->copy(); break;
    case Cmd::EditPaste: richEdit1_->paste(); break;
    default: break;
    }
}

void TWText::textChanged()
{
    dirty_ = true;
    const bool hasText = !richEdit1_->document()->isEmpty();
    if (hasText != hadText_) {
        hadText_ = hasText;
        emit app_.menusChanged();
    }
}

void TWText::appendLine(const std::string& line, bool bold, TColor colour)
{
    TextParagraph paragraph;
    paragraph.append(line, bold, colour);
    appendParagraph(paragraph);
}

void TWText::appendParagraph(const TextParagraph& paragraph)
{
    QTextCursor cursor(richEdit1_->document());
    cursor.movePosition(QTextCursor::End);
    if (!firstLineFree_ || !richEdit1_->document()->isEmpty())
        insertLineBreak(cursor);
    firstLineFree_ = false;
    insertRuns(cursor, paragraph);
}

TextDocument TWText::document() const
{
    return DocumentOf(*richEdit1_->document());
}

TextDocument DocumentOf(const QTextDocument& text)
{
    TextDocument document;
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        TextParagraph* paragraph = &document.paragraphs.emplace_back();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const bool bold = fragment.charFormat().fontWeight() >= QFont::DemiBold;
            const TColor colour = colourOf(fragment.charFormat());
            QString text = fragment.text();
            text.remove(QChar::ObjectReplacementCharacter);
            // A line break inside a pasted paragraph is a line of its own here.
            const QStringList lines = text.split(QChar::LineSeparator);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0)
                    paragraph = &document.paragraphs.emplace_back();
                paragraph->append(fromQString(lines[i]), bold, colour);
            }
        }
    }
    return document;
}

void TWText::setDocument(const TextDocument& document)
{
    richEdit1_->clear();
    QTextCursor cursor(richEdit1_->document());
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        if (i > 0)
            insertLineBreak(cursor);
        insertRuns(cursor, document.paragraphs[i]);
    }
    firstLineFree_ = richEdit1_->document()->isEmpty() && document.paragraphs.size() <= 1;
}

bool WriteTextFile(Prompts& prompts, const std::string& path, const TextDocument& document,
                   bool plain, int pointSize, const LineBreaks& breaks)
{
    const std::string bytes =
        plain ? WritePlainText(document, breaks)
              : WriteRtf(document, {"Courier New", pointSize > 0 ? pointSize : 8});
    if (ReplaceFile(path, bytes))
        return true;
    prompts.error("Error writing the file " + Utf8ToCp1252(path));
    return false;
}

std::optional<SavedText> SaveTextAs(Prompts& prompts, const TextDocument& document,
                                    const std::string& title, int kind, bool plainMode,
                                    int pointSize)
{
    const TextSaveTypes types = SaveTypesFor(kind);
    const std::optional<SaveChoice> choice = prompts.saveFileAndType(saveQuestion(title, types));
    if (!choice)
        return std::nullopt;
    const std::size_t index = static_cast<std::size_t>(choice->filter);
    const TextFileType type = index < types.types.size() ? types.types[index] : TextFileType{};
    const std::string path = PathForType(choice->path, type);
    if (path != choice->path && !MayReplace(prompts, path))
        return std::nullopt;
    const bool plain = type.mode == SaveMode::Unchanged ? plainMode : type.mode == SaveMode::Plain;
    if (!WriteTextFile(prompts, path, document, plain, pointSize))
        return std::nullopt;
    return SavedText{path, plain};
}

bool MayReplace(Prompts& prompts, const std::string& path)
{
    // The dialog asked about the name the user typed; the name written may be another one.
    std::error_code ignored;
    return !std::filesystem::exists(path, ignored)
           || prompts.confirmation(Utf8ToCp1252(path) + " already exists. Replace it ?",
                                   Button::Yes | Button::No)
                  == Button::Yes;
}

void PrintTextPreview(QWidget& parent, QTextDocument& document, const std::string& title)
{
    auto* preview = new QPrintPreviewDialog(&parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(toQString("Print " + Quoted(title)));
    QPointer<QTextDocument> text(&document);
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [text, title](QPrinter* printer) {
                         if (!text)
                             return;
                         printer->setDocName(toQString(title));
                         text->print(printer);
                     });
    preview->open();
}

bool TWText::writeFile(const std::string& path, bool plain)
{
    return WriteTextFile(app_.prompts(), path, document(), plain, richEdit1_->font().pointSize(),
                         lineBreaks_);
}

bool TWText::DoSaveText(bool saveAs)
{
    if (!saveAs && !lNomF_.empty()) {
        if (!writeFile(lNomF_, plainMode_))
            return false;
        dirty_ = false;
        return true;
    }
    // Name, title and mode change only once the file holds the text.
    const std::optional<SavedText> saved = SaveTextAs(app_.prompts(), document(), title_, but_,
                                                      plainMode_, richEdit1_->font().pointSize());
    if (!saved)
        return false;
    lNomF_ = saved->path;
    plainMode_ = saved->plain;
    dirty_ = false;
    setTitle(TitleForPath(saved->path));
    return true;
}

bool TWText::LoadFile(const std::string& path)
{
    std::string refusal;
    const std::optional<std::string> bytes = ReadFileBytes(path, &refusal);
    if (!bytes) {
        app_.prompts().error(refusal);
        return false;
    }
    bool rich = false;
    setDocument(DecodeTextFile(*bytes, rich));
    // A text file saved in place stays a text file, with its own line breaks.
    plainMode_ = !rich;
    lineBreaks_ = rich ? LineBreaks{} : LineBreaksOf(*bytes);
    lNomF_ = path;
    setTitle(TitleForPath(path));
    dirty_ = false;
    return true;
}

bool TWText::queryClose()
{
    if (!dirty_)
        return true;
    const Message question{MsgKind::Confirmation,
                           "Window \"" + title_
                               + "\" modified and non saved. Save it before closing ?",
                           Button::Yes | Button::No | Button::Cancel,
                           {},
                           true}; // centred on the screen
    switch (app_.prompts().message(question)) {
    case Button::Yes: return DoSaveText(false);
    case Button::No: return true;
    default: return false;
    }
}

void TWText::closeWithoutAsking()
{
    closeAnswered_ = true;
    close();
}

void TWText::closeEvent(QCloseEvent* event)
{
    const bool mayClose = closeAnswered_ || queryClose();
    closeAnswered_ = false;
    if (!mayClose) {
        event->ignore();
        return;
    }
    app_.settings().TextW = width();
    app_.settings().TextH = height();
    app_.removeWindow(*this);
    event->accept();
}

bool TWText::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        app_.activateWindow(*this);
    return QWidget::event(e);
}

void TWText::Print(QPrinter& printer) const
{
    printer.setDocName(toQString(title_));
    richEdit1_->document()->print(&printer);
}

void TWText::PrintPreview()
{
    PrintTextPreview(*this, *richEdit1_->document(), title_);
}

TWText* NewTextWindow(Application& app, int kind, const std::string& title)
{
    constexpr const char* kTooMany = "too many .txt windows are open";
    if (app.registry().count(WindowKind::Text) >= kMaxWindows) {
        app.prompts().information(kTooMany);
        return nullptr;
    }
    auto* window = new TWText(app);
    if (!app.addWindow(*window)) {
        delete window;
        app.prompts().information(kTooMany);
        return nullptr;
    }
    const int k = window->slot();
    window->setBut(kind);
    window->setTitle(title.empty() ? "WT n\xB0 " + std::to_string(k) : title);
    window->resize(app.settings().TextW, app.settings().TextH);
    if (QWidget* main = app.mainWindow()) {
        const QRect m = main->frameGeometry();
        MoveOnScreen(*window, {m.left() + 20 * k - 60, m.top() + m.height() + 15 * k - 45});
    }
    app.activateWindow(*window);
    return window;
}

void PlaceTextBesideSheet(QWidget& window, const QWidget& sheet)
{
    constexpr int kGap = 10;
    constexpr int kScreenMargin = 5;
    const QRect beside = sheet.frameGeometry();
    int left = beside.right() + 1 + kGap;
    if (const QScreen* screen = sheet.screen()) {
        const int screenRight = screen->availableGeometry().right() + 1;
        left = std::min(left, screenRight - kScreenMargin - window.frameGeometry().width());
    }
    window.move(left, beside.top());
}

TWText* ActiveWT(Application& app)
{
    return dynamic_cast<TWText*>(app.registry().current(WindowKind::Text));
}

void OpenTextFiles(Application& app)
{
    FileQuestion question;
    question.filters = {
        {"Fichiers Texte", "*.txt"}, {"Fichiers RTF", "*.rtf"}, {"Tous les fichiers", "*.*"}};
    const std::optional<std::string> path = app.prompts().openFile(question);
    if (!path)
        return;
    TWText* window = NewTextWindow(app);
    if (!window)
        return;
    if (!window->LoadFile(*path)) {
        window->closeWithoutAsking();
        return;
    }
    window->show();
    emit app.menusChanged();
}

namespace {

// "Delete" with a text window that has a file: the window closes first, and a window kept
// open by its own question keeps its file too.
void deleteTextFile(Application& app, TWText& window)
{
    const std::string path = window.lNomF();
    if (app.prompts().warning("Do you really want to delete " + Utf8ToCp1252(path) + " ?",
                              Button::Yes | Button::Cancel)
        != Button::Yes)
        return;
    if (!window.close())
        return;
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        app.prompts().error("Error deleting the file " + Utf8ToCp1252(path));
}

} // namespace

void InstallTextCommands(TForm1& form, Application& app)
{
    const auto onText = [&form, &app](Cmd cmd, std::function<void(TWText&)> action) {
        form.setHandler(cmd, WindowKind::Text, [&app, action] {
            if (auto* text = dynamic_cast<TWText*>(app.registry().active()))
                action(*text);
        });
    };
    onText(Cmd::FileSave, [](TWText& w) { w.DoSaveText(false); });
    onText(Cmd::FileSaveAs, [](TWText& w) { w.DoSaveText(true); });
    onText(Cmd::FilePrint, [](TWText& w) { w.PrintPreview(); });
    // A text window without a file deletes a chosen file, as with no window.
    onText(Cmd::FileDelete, [&app, &form](TWText& w) {
        if (!w.lNomF().empty())
            deleteTextFile(app, w);
        else if (const auto& general = form.handler(Cmd::FileDelete))
            general();
    });
    form.setHandler(Cmd::UtilOpenOther, [&app] { OpenTextFiles(app); });
}

} // namespace ploq
