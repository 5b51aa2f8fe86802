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
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

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
    TextDocument document;
    for (QTextBlock block = richEdit1_->document()->begin(); block.isValid();
         block = block.next()) {
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

bool TWText::writeFile(const std::string& path, bool plain)
{
    const int pointSize = richEdit1_->font().pointSize();
    const std::string bytes =
        plain ? WritePlainText(document(), lineBreaks_)
              : WriteRtf(document(), {"Courier New", pointSize > 0 ? pointSize : 8});
    if (ReplaceFile(path, bytes))
        return true;
    app_.prompts().error("Error writing the file " + Utf8ToCp1252(path));
    return false;
}

bool TWText::DoSaveText(bool saveAs)
{
    if (!saveAs && !lNomF_.empty()) {
        if (!writeFile(lNomF_, plainMode_))
            return false;
        dirty_ = false;
        return true;
    }
    const TextSaveTypes types = SaveTypesFor(but_);
    const std::optional<SaveChoice> choice =
        app_.prompts().saveFileAndType(saveQuestion(title_, types));
    if (!choice)
        return false;
    const std::size_t index = static_cast<std::size_t>(choice->filter);
    const TextFileType type = index < types.types.size() ? types.types[index] : TextFileType{};
    const std::string path = PathForType(choice->path, type);
    // The dialog asked about the name the user typed; the name written may be another one.
    std::error_code ignored;
    if (path != choice->path && std::filesystem::exists(path, ignored)
        && app_.prompts().confirmation(Utf8ToCp1252(path) + " already exists. Replace it ?",
                                       Button::Yes | Button::No)
               != Button::Yes)
        return false;
    const bool plain = type.mode == SaveMode::Unchanged ? plainMode_ : type.mode == SaveMode::Plain;
    // Name, title and mode change only once the file holds the text.
    if (!writeFile(path, plain))
        return false;
    lNomF_ = path;
    plainMode_ = plain;
    dirty_ = false;
    setTitle(TitleForPath(path));
    return true;
}

bool TWText::LoadFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        app_.prompts().error("Error reading the file " + Utf8ToCp1252(path));
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
    auto* preview = new QPrintPreviewDialog(this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(toQString("Print " + Quoted(title_)));
    connect(preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { Print(*printer); });
    preview->open();
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
