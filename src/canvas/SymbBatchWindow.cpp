#include "canvas/SymbBatchWindow.h"

#include "app/Application.h"
#include "app/VarGlob.h"
#include "canvas/QtSymbolImages.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ploq {

namespace {

constexpr int kClientHeight = 150;

BatchTable readTable(const VarGlob& settings, BatchMode mode, std::span<const std::string> lines)
{
    switch (mode) {
    case kBatchOptionsList: return LireBatchLines(lines);
    case kBatchCanvasLegend: return LireBatchLegend(lines);
    case kBatchFile: break;
    }
    return LireBatchFile(settings.NomFBatch);
}

// What was skipped, told once for the whole table.
void tellSkipped(Prompts& prompts, const BatchTable& table)
{
    if (table.skipped.empty())
        return;
    std::string text;
    for (const std::string& line : table.skipped)
        text += line + "\n";
    text.pop_back();
    prompts.warning(text);
}

} // namespace

TSymbBatch::TSymbBatch(VarGlob& settings, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      settings_(settings), prompts_(prompts)
{
    setAttribute(Qt::WA_DeleteOnClose);
    legend_ = new QLabel;
    legend_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* scroll = new QScrollArea;
    scroll->setWidget(legend_);
    scroll->setWidgetResizable(false);
    scroll->setBackgroundRole(QPalette::Base);
    button_ = new QPushButton(toQString(kCaptionSelectFile));
    connect(button_, &QPushButton::clicked, this, &TSymbBatch::Button1Click);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(scroll, 1);
    layout->addWidget(button_);
    resize(kLegendWidth + scroll->verticalScrollBar()->sizeHint().width() + 8, kClientHeight);
}

void TSymbBatch::AfficherBatch(BatchMode mode, const BatchTable& table, QPoint topLeft)
{
    hide();
    mode_ = mode;
    canvas_ = nullptr;
    table_ = table;
    if (!table.title.empty())
        setWindowTitle(toQString(table.title));
    const QImage image = LegendeImage(settings_.Tco, table_.TabBatch);
    legend_->setPixmap(QPixmap::fromImage(image));
    legend_->resize(image.size());
    button_->setText(toQString(mode == kBatchCanvasLegend ? kCaptionSave : kCaptionSelectFile));
    move(topLeft);
    show();
}

void TSymbBatch::Button1Click()
{
    if (mode_ == kBatchCanvasLegend)
        saveLegend();
    else
        selectAnotherFile();
}

void TSymbBatch::selectAnotherFile()
{
    const auto path = prompts_.openFile({"Symbols file",
                                         BatchFolder(settings_.NomFBatch),
                                         {},
                                         {{"Batch file PloqPC", "*.pqb"}, {"All files", "*.*"}}});
    if (!path)
        return;
    settings_.NomFBatch = *path;
    emit batchFileChanged();
    BatchTable table = LireBatchFile(settings_.NomFBatch);
    if (table.error) {
        prompts_.message(*table.error);
        return;
    }
    tellSkipped(prompts_, table);
    AfficherBatch(kBatchFile, table, pos());
}

void TSymbBatch::saveLegend()
{
    const auto chosen =
        prompts_.saveFile({"Symbols file",
                           BatchFolder(settings_.NomFBatch),
                           {},
                           {{"Ploq batch symbols file", "*.pqb"}, {"All files", "*.*"}}});
    if (!chosen)
        return;
    const std::string path = BatchSavePath(*chosen);
    if (const auto failed = SaveBatchFile(path, table_.TabBatch)) {
        prompts_.message(*failed);
        return;
    }
    settings_.NomFBatch = path;
    emit batchFileChanged();
}

void TSymbBatch::closeEvent(QCloseEvent* event)
{
    emit closed();
    QWidget::closeEvent(event);
}

TSymbBatch* AfficherBatch(Application& app, BatchMode mode, QPoint topLeft,
                          std::span<const std::string> lines, const std::string& title)
{
    BatchTable table = readTable(app.settings(), mode, lines);
    if (table.error) {
        app.prompts().message(*table.error);
        return nullptr;
    }
    if (table.title.empty())
        table.title = title;
    tellSkipped(app.prompts(), table);
    auto* window = qobject_cast<TSymbBatch*>(app.dialog(kWinSymbBatch));
    if (window == nullptr) {
        window = new TSymbBatch(app.settings(), app.prompts());
        app.setDialog(kWinSymbBatch, window);
    }
    window->AfficherBatch(mode, table, topLeft);
    return window;
}

} // namespace ploq
