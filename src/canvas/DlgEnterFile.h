#pragma once

// The dialog that plots a data sheet onto a canvas ("Enter (datasheet value)"): the sheet and
// the range of its rows, the selection of rows by a key on one code field, and the symbols,
// either one symbol and colour for every row or those the symbol batch file gives each nature.
// The plotting itself is TraceFichier and TraceFichierBatch; the dialog maps its controls to
// them and shows the result on the canvas.

#include "canvas/UtilPlot.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace ploq {

class Application;
class TForm1;
class TWFichier;
class TWPlot;

class TDlgEnterFile : public QWidget {
    Q_OBJECT

public:
    // FormCreate: use OuvrirDlgFichier, which keeps the one instance.
    TDlgEnterFile(TForm1& form, Application& app);

    // Brings the controls up to date with the sheets, the canvas and the settings.
    void FormActivate();

    void Button1Click();   // "Plot on canvas"
    void Button2Click();   // "set of symbols": the legend of the batch file, shown or closed
    void CheckBox1Click(); // "Plot on a new canvas"
    void CheckBox2Click(); // "Plot and keep dialog on"
    void ComboBox1Click(int index);         // a data sheet chosen in the box
    void Image1MouseDown(QPoint globalPos); // the symbol preview: the symbol menu
    void Image2MouseDown(int x);            // the colour strip
    void Image3Click();                     // the fold mark
    void RadioButton14Click();              // another key field
    void RadioButton5Click();               // "Standart" symbols
    void RadioButton6Click();               // the batch file's symbols
    void RadioButton6DblClick();
    // NomFBatch names another file: the batch choice's caption follows it.
    void batchFileChanged();

    QComboBox* sheetBox() const { return comboBox1_; }
    QLabel* projectionLabel() const { return projection_; }
    QSpinBox* firstLine() const { return line1_; }
    QSpinBox* lastLine() const { return line2_; }
    QRadioButton* keyFieldButton(KeyField field) const;
    QComboBox* keyBox() const { return keyBox_; }
    QCheckBox* identityBox() const { return identity_; }
    QRadioButton* standardChoice() const { return radioButton5_; }
    QRadioButton* batchChoice() const { return radioButton6_; }
    QLabel* symbolPreview() const { return image1_; }
    QLabel* colourStrip() const { return image2_; }
    QCheckBox* tadpoleBox() const { return tadpole_; }
    QCheckBox* newCanvasBox() const { return checkBox1_; }
    QCheckBox* keepOnBox() const { return checkBox2_; }
    QPushButton* plotButton() const { return button1_; }
    QPushButton* symbolsButton() const { return button2_; }
    QToolButton* foldMark() const { return image3_; }
    bool unfolded() const;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override; // FormClose
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSheetPart();
    QWidget* buildSymbolPart();
    QWidget* buildSelectionPart();
    QWidget* buildPlotPart();
    void setFolded(bool folded);
    // What follows the current sheet and canvas while the dialog is open; the key box is filled
    // again for another sheet, or when asked.
    void follow(bool refillKeys = false);
    // The current symbol is the tadpole of its symbol when the box says so.
    void applyTadpole();
    // The sheet box, the line numbers and the key box follow the current sheet.
    void showSheets(bool refillKeys);
    void showLineNumbers(const TWFichier* sheet, bool newSheet);
    void fillKeyBox();
    void showSymbol();
    void showColours();
    void showBatchChoice();
    void showPlotCaption();
    void enableSelection(bool on);
    KeyField keyField() const;
    PlotRequest request(const TWFichier& sheet) const;
    // The canvas the plotting goes to, made when it must be.
    TWPlot* targetCanvas();
    void showResult(TWPlot& plot, const PlotResult& result);
    // The legend window, when the dialog opened it, says it is going.
    void legendClosed();

    TForm1& form_;
    Application& app_;
    QComboBox* comboBox1_ = nullptr;
    std::vector<QPointer<TWFichier>> listedSheets_;
    QStringList listedTitles_;
    QPointer<TWFichier> shownSheet_;
    int shownRows_ = 0;
    QLabel* projection_ = nullptr;
    QGroupBox* selection_ = nullptr;
    QSpinBox* line1_ = nullptr;
    QSpinBox* line2_ = nullptr;
    std::array<QRadioButton*, 4> keyFields_{};
    QComboBox* keyBox_ = nullptr;
    QCheckBox* identity_ = nullptr;
    QRadioButton* radioButton5_ = nullptr;
    QRadioButton* radioButton6_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* image2_ = nullptr;
    QCheckBox* tadpole_ = nullptr;
    QPushButton* button2_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QCheckBox* checkBox2_ = nullptr;
    QPushButton* button1_ = nullptr;
    QToolButton* image3_ = nullptr;
};

// OuvrirDlgFichier: opens the dialog, made and placed beside the current data sheet the first
// time; nothing without a current data sheet.
TDlgEnterFile* OuvrirDlgFichier(TForm1& form, Application& app);

inline constexpr std::string_view kCaptionEnterFile = "Enter (datasheet value)";

} // namespace ploq
