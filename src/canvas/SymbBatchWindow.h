#pragma once

// The legend window: the entries of a symbol batch table, each symbol in its colour beside its
// code. Shown for the batch file (its button then chooses another file) or for the legend of a
// canvas (its button then saves that legend as a batch file).

#include "canvas/SymbBatch.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <span>
#include <string>

class QLabel;
class QPushButton;

namespace ploq {

class Application;
class Prompts;
struct VarGlob;

// The application keeps the one legend window under this tag.
constexpr int kWinSymbBatch = 12330;

inline constexpr std::string_view kCaptionSelectFile = "select another file";
inline constexpr std::string_view kCaptionSave = "Save";

class TSymbBatch : public QWidget {
    Q_OBJECT

public:
    TSymbBatch(VarGlob& settings, Prompts& prompts, QWidget* parent = nullptr);

    // Shows the table read in `mode` at `topLeft` (screen pixels).
    void AfficherBatch(BatchMode mode, const BatchTable& table, QPoint topLeft);
    // "select another file", or "Save" for a canvas legend.
    void Button1Click();

    // The canvas whose legend is shown, which closes it when it closes; none for a batch file.
    void setCanvas(QWidget* canvas) { canvas_ = canvas; }
    QWidget* canvas() const { return canvas_; }

    const BatchTable& table() const { return table_; }
    BatchMode mode() const { return mode_; }
    QLabel* legend() const { return legend_; }
    QPushButton* button() const { return button_; }

signals:
    // NomFBatch names another file: the plot dialog's caption and the options list follow it.
    void batchFileChanged();
    // The window is going: the plot dialog's batch button takes back its caption.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void selectAnotherFile();
    void saveLegend();

    VarGlob& settings_;
    Prompts& prompts_;
    BatchTable table_;
    BatchMode mode_ = kBatchFile;
    QLabel* legend_ = nullptr;
    QPushButton* button_ = nullptr;
    QPointer<QWidget> canvas_;
};

// Reads the table in `mode` (from `lines` for the options list and the canvas legend, from
// NomFBatch for the file) and shows it in the application's legend window, made if need be.
// What could not be read is told; when nothing could (no file), the window is left as it was
// and the result is null.
TSymbBatch* AfficherBatch(Application& app, BatchMode mode, QPoint topLeft,
                          std::span<const std::string> lines = {}, const std::string& title = {});

} // namespace ploq
