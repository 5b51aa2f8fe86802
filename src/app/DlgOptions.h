#pragma once

// "Options": the settings page by page, each page with its own "OK" (the page into the
// settings, and the open sheets or canvases refreshed) and "Cancel" (the page's settings as the
// dialog found them). One instance, not modal; closing it releases it. Options > "Characters"
// chooses the data sheet font.
//
// The pages' values live in app/Options.h; the dialog only shows them and reads them back.

#include "app/Options.h"

#include <QDialog>

#include <array>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace ploq {

class Application;
class ClickImage;
class TForm1;
class TSymbBatch;

class TDlgOptions : public QDialog {
    Q_OBJECT

public:
    enum Page { kGeneral, kData, kImport, kStereonet, kStats1, kStats2 };

    // Use OptionsDialog, which keeps the one instance.
    TDlgOptions(Application& app, TForm1& form);

    QTabWidget* tabs() const { return tabs_; }
    QPushButton* okButton(Page page) const { return ok_[page]; }
    QPushButton* cancelButton(Page page) const { return cancel_[page]; }
    const OptionsMemory& memory() const { return memory_; }

    // What each page shows, and shows again.
    DataPage dataPage() const;
    void showDataPage(const DataPage& page);
    ImportPage importPage() const;
    void showImportPage(const ImportPage& page);
    StereonetPage stereonetPage() const;
    void showStereonetPage(const StereonetPage& page);

    Stats1Page stats1Page() const;
    void showStats1Page(const Stats1Page& page);
    Stats2Page stats2Page() const;
    void showStats2Page(const Stats2Page& page);

    // General page controls.
    const SymbolList& symbolList() const { return symbols_; }
    QListWidget* symbolListBox() const { return symbolBox_; }
    QComboBox* codeBox() const { return codeBox_; }
    ClickImage* symbolImage() const { return symbolImage_; }
    QCheckBox* tadpoleBox() const { return tadpole_; }
    ClickImage* batchColourStrip() const { return batchColours_; }
    ClickImage* paletteStrip() const { return palette_; }
    QLabel* selectionLabel() const { return selection_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* modifyButton() const { return modify_; }
    QPushButton* newFileButton() const { return newFile_; }
    QPushButton* selectFileButton() const { return selectFile_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* displayButton() const { return display_; }
    QRadioButton* toolBarShowChoice() const { return toolBarShow_; }
    QRadioButton* toolBarHideChoice() const { return toolBarHide_; }
    QCheckBox* helpOnTopBox() const { return helpOnTop_; }
    QCheckBox* keepOnBox() const { return keepOn_; }
    // Stats-1 page controls.
    QComboBox* crownsList() const { return crowns_; }
    QLabel* gridPicture() const { return gridPicture_; }
    QLabel* nodeCountLabel() const { return nodeCount_; }
    QComboBox* meshList() const { return mesh_; }
    QLabel* meshPicture() const { return meshPicture_; }
    ClickImage* contourColourStrip() const { return contourColours_; }
    int contCol() const { return contCol_; }
    // Stats-2 page controls.
    QComboBox* azRangeList() const { return azRange_; }
    QComboBox* peRangeList() const { return peRange_; }
    QComboBox* tossingsList() const { return tossings_; }
    QLineEdit* tiltCutOffBox() const { return tiltCutOff_; }
    QLineEdit* axisCutOffBox() const { return axisCutOff_; }
    QLineEdit* polygonMinBox() const { return polygonMin_; }
    QLineEdit* polygonUnderlineBox() const { return polygonUnderline_; }
    QLineEdit* summitMarkBox() const { return summitMark_; }
    QCheckBox* listRotationAxesBox() const { return listRotAxes_; }

    // Data page controls.
    QLineEdit* declinationBox() const { return declination_; }
    QComboBox* planeNotationList() const { return planeNotations_; }
    QComboBox* lineNotationList() const { return lineNotations_; }
    QCheckBox* showDecimalsBox() const { return showDeci_; }
    QLineEdit* headingBox(int field) const { return newHeadings_[static_cast<std::size_t>(field)]; }
    QLabel* oldHeadingLabel(int field) const
    {
        return oldHeadings_[static_cast<std::size_t>(field)];
    }
    QLabel* sampleNet() const { return sampleNet_; }
    // Import page controls.
    QComboBox* ploqFormatList() const { return ploqFormats_; }
    QLabel* ploqLinePanel() const { return ploqLinePanel_; }
    QComboBox* fieldList(int field) const { return fields_[static_cast<std::size_t>(field)]; }
    QRadioButton* rawPlanesChoice() const { return rawPlanes_; }
    QRadioButton* rawLinesChoice() const { return rawLines_; }
    QComboBox* rawFormatList() const { return rawFormats_; }
    // Stereonet page controls.
    QRadioButton* wulffChoice() const { return wulff_; }
    QRadioButton* upperChoice() const { return upper_; }
    QComboBox* planesAsList() const { return planesAs_; }
    QSpinBox* diameterBox() const { return diameter_; }
    ClickImage* gridColourImage() const { return gridColours_; }
    ClickImage* arrowImage() const { return arrow_; }
    ClickImage* arrowStrip() const { return arrowStrip_; }

public slots:
    void generalOk();
    void generalCancel();
    // The symbol file group.
    void symbolLineClicked(int row);
    void addClick();
    void modifyClick();
    void newFileClick();
    void selectFileClick();
    void saveClick();
    void displayClick();
    // The symbol image opens the main window's symbol menu, the current symbol under `global`.
    void symbolImagePressed(QPoint global);
    void batchColourPressed(int x);
    // The palette: a press selects the colour, its release opens the colour chooser on it.
    void palettePressed(int x);
    void paletteReleased();
    // The tool bar and the two flags act at every click.
    void toolBarClicked();
    void generalFlagsClicked();
    // On activation: the tool bar choice follows the settings and the code box offers the
    // natures of the current data sheet.
    void dialogActivated();
    void stats1Ok();
    void stats1Cancel();
    // A press on the contour colours selects a cell, its release opens the chooser on it.
    void contourColourPressed(int x);
    void contourColourReleased();
    void stats2Ok();
    void stats2Cancel();
    void dataOk();
    void dataCancel();
    void importOk();
    void importCancel();
    void stereonetOk();
    void stereonetCancel();
    // The raw kind changed: the format list is rebuilt for it.
    void rawKindChanged();
    // The panel beside the Ploq format list names the line format read with it.
    void showPloqLineFormat();
    // A press on the grid colour cells (image pixels); off the cells nothing changes.
    void gridColourPressed(int x, int y);
    // The arrow image opens its strip; a release on the strip chooses the colour.
    void arrowImagePressed();
    void arrowStripReleased(int x, int y);

public:
    // Every visible canvas takes the display settings, and the radius when it differs from
    // its own; with `ask`, a change asks "Change the canvas ?" first. The current canvas
    // stays the current one.
    void MajCanevas(int radius, bool ask);
    // The same, every canvas keeping its own radius and nothing asked.
    void MajCanevas();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // One builder per page; each gives the page's widget with its "OK" and "Cancel".
    QWidget* buildGeneralPage();
    QWidget* buildDataPage();
    QWidget* buildImportPage();
    QWidget* buildStereonetPage();
    QWidget* buildStats1Page();
    QWidget* buildStats2Page();
    QWidget* pageWithButtons(Page page, QWidget* content);
    // Closes after a page's "OK" unless "when OK, keep dialog on" is set.
    void closeUnlessKept();
    void drawSampleNet();
    void drawGridColours();
    void drawArrowColour();
    void refreshImportDialog();
    void refreshCanvases(std::optional<int> radius);
    void refreshPlotDialog();
    void readSymbolList();
    void showSymbolList();
    void showSymbolChoice();
    void drawColourStrips();
    void drawStats1Pictures();
    void drawContourColours();
    void showGeneralFlags();
    void tellProblems(const std::vector<std::string>& problems);
    // The line made of the code box, colour, tadpole box and symbol; none (told) when it cannot
    // be an entry.
    std::optional<SymbolLineMade> madeLine();

    Application& app_;
    TForm1& form_;
    OptionsMemory memory_;
    QTabWidget* tabs_ = nullptr;
    std::array<QPushButton*, 6> ok_{};
    std::array<QPushButton*, 6> cancel_{};

    SymbolList symbols_;
    QGroupBox* symbolGroup_ = nullptr;
    QListWidget* symbolBox_ = nullptr;
    QComboBox* codeBox_ = nullptr;
    ClickImage* symbolImage_ = nullptr;
    QCheckBox* tadpole_ = nullptr;
    ClickImage* batchColours_ = nullptr;
    ClickImage* palette_ = nullptr;
    QLabel* selection_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* modify_ = nullptr;
    QPushButton* newFile_ = nullptr;
    QPushButton* selectFile_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* display_ = nullptr;
    QRadioButton* toolBarShow_ = nullptr;
    QRadioButton* toolBarHide_ = nullptr;
    QCheckBox* helpOnTop_ = nullptr;
    QCheckBox* keepOn_ = nullptr;

    QComboBox* crowns_ = nullptr;
    QLabel* gridPicture_ = nullptr;
    QLabel* nodeCount_ = nullptr;
    QComboBox* mesh_ = nullptr;
    QLabel* meshPicture_ = nullptr;
    ClickImage* contourColours_ = nullptr;
    int contCol_ = 1;
    QRadioButton* countNumber_ = nullptr;
    QRadioButton* countUniformity_ = nullptr;

    QComboBox* azRange_ = nullptr;
    QComboBox* peRange_ = nullptr;
    QComboBox* tossings_ = nullptr;
    QLineEdit* tiltCutOff_ = nullptr;
    QLineEdit* axisCutOff_ = nullptr;
    QLineEdit* polygonMin_ = nullptr;
    QLineEdit* polygonUnderline_ = nullptr;
    QLineEdit* summitMark_ = nullptr;
    QCheckBox* listRotAxes_ = nullptr;

    QLineEdit* declination_ = nullptr;
    QCheckBox* addDecl_ = nullptr;
    QCheckBox* editInGrid_ = nullptr;
    QCheckBox* printGrid_ = nullptr;
    QCheckBox* showDeci_ = nullptr;
    QComboBox* planeNotations_ = nullptr;
    QComboBox* lineNotations_ = nullptr;
    std::array<QLabel*, kFieldCount + 1> oldHeadings_{};
    std::array<QLineEdit*, kFieldCount + 1> newHeadings_{};
    QLabel* sampleNet_ = nullptr;

    QComboBox* separator_ = nullptr;
    QComboBox* ploqFormats_ = nullptr;
    QLabel* ploqLinePanel_ = nullptr;
    std::array<QComboBox*, kImportFieldCount> fields_{};
    std::array<QLabel*, kImportFieldCount> fieldLabels_{};
    QRadioButton* rawPlanes_ = nullptr;
    QRadioButton* rawLines_ = nullptr;
    QComboBox* rawFormats_ = nullptr;
    QCheckBox* addNumber_ = nullptr;

    QRadioButton* wulff_ = nullptr;
    QRadioButton* schmidt_ = nullptr;
    QRadioButton* lower_ = nullptr;
    QRadioButton* upper_ = nullptr;
    QComboBox* planesAs_ = nullptr;
    QRadioButton* tailIn_ = nullptr;
    QRadioButton* tailOut_ = nullptr;
    QCheckBox* netCentre_ = nullptr;
    QCheckBox* graduations_ = nullptr;
    QCheckBox* diameters_ = nullptr;
    QComboBox* gridStep_ = nullptr;
    ClickImage* gridColours_ = nullptr;
    QSpinBox* diameter_ = nullptr;
    QCheckBox* listInfo_ = nullptr;
    ClickImage* arrow_ = nullptr;
    ClickImage* arrowStrip_ = nullptr;
    QCheckBox* arrowFaultColour_ = nullptr;
};

// Shows the dialog, made when it does not exist: centred on the main window, 5 pixels below it.
TDlgOptions* OptionsDialog(TForm1& form, Application& app);

// Options > "Characters": the font chooser preset with the data sheet font; a changed font is
// offered to the open sheets ("Change the datasheet ?").
void ChooseSheetFont(Application& app);

// Options > "Choose" and "Characters".
void InstallOptionsCommands(TForm1& form, Application& app);

} // namespace ploq
