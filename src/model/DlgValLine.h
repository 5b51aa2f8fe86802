#pragma once

// The line-or-plane calculator window: two boxes, "go", a report panel and a small net. It only
// maps its widgets to a ValLineQuery and a ValLineView; the computing and drawing are the
// core's.

#include "canvas/DessinValLine.h"
#include "model/ValLine.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace ploq {

class Application;
class ClickImage;
class Image;
class TForm1;

class TDlgValLine : public QWidget {
    Q_OBJECT

public:
    // FormCreate: use OpenValLine, which keeps the one instance.
    TDlgValLine(Application& app, QWidget* parent = nullptr);
    ~TDlgValLine() override;

    // The labels of the notations and of the projection brought up to date; the window
    // becomes the one the Edit menu works in.
    void FormActivate();

    void Go();         // "go"
    void Erase();      // "erase": the empty net (and its grid)
    void Reset();      // "reset": erase, and empty the boxes and the report
    void ToggleHelp(); // "show help" / "hide help"
    void GridIconClick();
    void StripReleased(int y); // a click on the colour strip, y in its pixels

    const ValLineResult& result() const { return result_; }
    const ValLineView& view() const { return view_; }
    // The net's picture as last drawn (null when it could not be made).
    Image* netImage() const { return net_.get(); }

    QLineEdit* data1() const { return data1_; }
    QLineEdit* data2() const { return data2_; }
    QRadioButton* plane1() const { return plane1_; }
    QRadioButton* line1() const { return line1_; }
    QRadioButton* plane2() const { return plane2_; }
    QRadioButton* line2() const { return line2_; }
    QPushButton* goButton() const { return go_; }
    QPushButton* eraseButton() const { return erase_; }
    QPushButton* resetButton() const { return reset_; }
    QPushButton* helpButton() const { return helpButton_; }
    QCheckBox* decimalsBox() const { return decimals_; }
    QCheckBox* gridBox() const { return showGrid_; }
    QCheckBox* polesBox() const { return poles_; }
    ClickImage* gridIcon() const { return gridIcon_; }
    ClickImage* colourStrip() const { return strip_; }
    QTextEdit* report() const { return report_; }
    QLabel* planeLabel() const { return planeLabel_; }
    QLabel* lineLabel() const { return lineLabel_; }
    QLabel* projectionLabel() const { return projection_; }
    QLabel* helpText() const { return help_; }
    QLabel* netLabel() const { return netLabel_; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // The boxes with their kinds and "go"; the check boxes, grid icon, erase and reset; the
    // report, the colour strip and the net.
    QLayout* buildDataPart();
    QLayout* buildOptionsPart();
    QLayout* buildResultsPart();
    std::int32_t styleCnvs() const;
    void redraw();
    void showColour();
    void showGridIcon();

    Application& app_;
    ValLineResult result_;
    ValLineView view_;
    std::unique_ptr<Image> net_;
    QLineEdit* data1_ = nullptr;
    QLineEdit* data2_ = nullptr;
    QRadioButton* plane1_ = nullptr;
    QRadioButton* line1_ = nullptr;
    QRadioButton* plane2_ = nullptr;
    QRadioButton* line2_ = nullptr;
    QPushButton* go_ = nullptr;
    QPushButton* erase_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QCheckBox* decimals_ = nullptr;
    QCheckBox* showGrid_ = nullptr;
    QCheckBox* poles_ = nullptr;
    ClickImage* gridIcon_ = nullptr;
    ClickImage* strip_ = nullptr;
    QTextEdit* report_ = nullptr;
    QLabel* planeLabel_ = nullptr;
    QLabel* lineLabel_ = nullptr;
    QLabel* projection_ = nullptr;
    QLabel* help_ = nullptr;
    QLabel* netLabel_ = nullptr;
};

// "Line or plane value": shows the calculator, creating and placing it the first time.
TDlgValLine* OpenValLine(TForm1& form, Application& app);
void InstallValLineCommands(TForm1& form, Application& app);

} // namespace ploq
