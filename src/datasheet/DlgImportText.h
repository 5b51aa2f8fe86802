#pragma once

// "Import text": the choice of the importer (Ploq data or raw data, and whether raw data are
// planes or lines) and of decimals, with labels saying what the file must hold as the options
// set it. "OK" asks for the file and makes the new sheet; the importers themselves are in
// ImportExport.h. File > "Export" writes the current sheet into a new text window.

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ploq {

class Application;
class TForm1;
class TWFichier;
class TWText;

class TDlgImportText : public QDialog {
    Q_OBJECT

public:
    // Use ImportDialog, which keeps the one instance.
    TDlgImportText(Application& app, QWidget* mainWindow);

    QRadioButton* ploqChoice() const { return ploq_; }
    QRadioButton* rawChoice() const { return raw_; }
    QRadioButton* linesChoice() const { return lines_; }
    QRadioButton* planesChoice() const { return planes_; }
    QGroupBox* rawKindGroup() const { return rawKind_; }
    QCheckBox* decimalsBox() const { return decimals_; }
    // The four labels of what the file must hold.
    QLabel* label(int i) const { return labels_[static_cast<std::size_t>(i)]; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

public slots:
    // The labels follow the choices and the import settings (the options change them too).
    void refreshLabels();
    // Keeps the decimals choice, imports the file chosen then and closes; a layout of Ploq
    // data that reaches no field is refused first and the dialog stays.
    void okClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Application& app_;
    QRadioButton* ploq_ = nullptr;
    QRadioButton* raw_ = nullptr;
    QGroupBox* rawKind_ = nullptr;
    QRadioButton* lines_ = nullptr;
    QRadioButton* planes_ = nullptr;
    QCheckBox* decimals_ = nullptr;
    std::array<QLabel*, 4> labels_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Shows the dialog, made and placed under the main window's tool bar when it does not exist.
TDlgImportText* ImportDialog(TForm1& form, Application& app);

// Asks for a file and imports it, raw data or Ploq data as the settings lay them out, into a
// new data sheet. Null when nothing was made: 15 sheets open (told before anything is asked),
// no file chosen, or the file refused (told, and nothing else changed).
TWFichier* ImportTextFile(Application& app, bool raw);

// The sheet as aligned text in a new plain-text window beside it; null when the sheet cannot be
// exported (told) or no text window can be made.
TWText* ExportSheetText(Application& app, TWFichier& sheet);

// File > "Import data" and, for a current data sheet, File > "Export".
void InstallImportCommands(TForm1& form, Application& app);

} // namespace ploq
