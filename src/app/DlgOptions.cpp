#include "app/DlgOptions.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/SymbBatchWindow.h"
#include "canvas/TWPlot.h"
#include "datasheet/DataU.h"
#include "datasheet/DlgImportText.h"
#include "datasheet/ImportExport.h"
#include "datasheet/TWFichier.h"
#include "model/UtilGlob.h"
#include "platform/QtText.h"
#include "transform/QtClickImage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <span>

namespace ploq {

namespace {

constexpr int kSampleNetWidth = 150;
constexpr int kStatsPictureWidth = 130;
// The symbol menu opens with the current symbol under the pointer.
constexpr int kSymbolMenuItemHeight = 19;
constexpr const char* kTabCaptions[] = {"General",   "Data",    "Import",
                                        "Stereonet", "Stats-1", "Stats-2"};

// A picture that also tells where the button went down and where the pointer moves while it is
// held, in its own pixels.
class PressImage : public ClickImage {
public:
    using ClickImage::ClickImage;
    std::function<void(int, int)> pressed;
    std::function<void(int, int)> moved;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (pressed && event->button() == Qt::LeftButton)
            pressed(at.x(), at.y());
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (moved && (event->buttons() & Qt::LeftButton))
            moved(at.x(), at.y());
    }
};

QComboBox* listOf(std::span<const char* const> items)
{
    auto* list = new QComboBox;
    for (const char* item : items)
        list->addItem(toQString(item));
    return list;
}

QGroupBox* group(const char* title, QLayout* layout)
{
    auto* box = new QGroupBox(toQString(title));
    box->setLayout(layout);
    return box;
}

QVBoxLayout* column(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(8, 4, 8, 4);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return layout;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(8, 4, 8, 4);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    layout->addStretch(1);
    return layout;
}

QLabel* label(const char* text)
{
    return new QLabel(toQString(text));
}

std::vector<TWFichier*> visibleSheets(Application& app)
{
    std::vector<TWFichier*> sheets;
    for (TWFichier* sheet : OpenSheets(app))
        if (sheet->isVisible())
            sheets.push_back(sheet);
    return sheets;
}

std::vector<TWPlot*> visibleCanvases(Application& app)
{
    std::vector<TWPlot*> canvases;
    for (DataWindow* w : app.registry().windows(WindowKind::Canvas))
        if (auto* plot = dynamic_cast<TWPlot*>(w); plot && plot->isVisible())
            canvases.push_back(plot);
    return canvases;
}

// The radius drawings refer to: the current canvas's, else the one of new canvases.
int contextRadius(Application& app)
{
    const TWPlot* current = ActiveCanvas(app);
    return current ? current->model().lRc : app.settings().Rc;
}

} // namespace

TDlgOptions::TDlgOptions(Application& app, TForm1& form)
    : QDialog(&form), app_(app), form_(form),
      memory_(OpenOptions(app.settings(), contextRadius(app)))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Options"));
    setProperty("helpTopic", kHelpSettings);
    tabs_ = new QTabWidget(this);
    QWidget* pages[] = {buildGeneralPage(),   buildDataPage(),   buildImportPage(),
                        buildStereonetPage(), buildStats1Page(), buildStats2Page()};
    for (int i = 0; i < 6; ++i)
        tabs_->addTab(pages[i], QString::fromLatin1(kTabCaptions[i]));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabs_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const VarGlob& s = app_.settings();
    symbols_.label = CurrentSelectionLabel(s.NomFBatch);
    showGeneralFlags();
    drawColourStrips();
    showSymbolChoice();
    tadpole_->setChecked(s.Sy < 0);
    showDataPage(DataPageOf(s));
    showImportPage(ImportPageOf(s));
    showStereonetPage(StereonetPageOf(s, memory_.radius));
    showStats1Page(Stats1PageOf(s));
    showStats2Page(Stats2PageOf(s));
    readSymbolList();
}

QWidget* TDlgOptions::pageWithButtons(Page page, QWidget* content)
{
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(content);
    layout->addStretch(1);
    ok_[page] = new QPushButton(tr("OK"));
    cancel_[page] = new QPushButton(tr("Cancel"));
    layout->addLayout(ButtonRow(cancel_[page], ok_[page]));
    return widget;
}

void TDlgOptions::closeUnlessKept()
{
    if (!TestBit(app_.settings().StyleGene, kGeneOptionsKeepOn))
        close();
}

// --- General ---------------------------------------------------------------------------

QWidget* TDlgOptions::buildGeneralPage()
{
    symbolBox_ = new QListWidget;
    symbolBox_->setFixedSize(170, 170);
    connect(symbolBox_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            symbolLineClicked(row);
    });
    // The selected line clicked again gives its values back too.
    connect(symbolBox_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { symbolLineClicked(symbolBox_->row(item)); });
    codeBox_ = new QComboBox;
    codeBox_->setEditable(true);
    codeBox_->setMinimumWidth(110);
    auto* symbolImage = new PressImage;
    symbolImage->pressed = [this](int x, int y) {
        symbolImagePressed(symbolImage_->mapToGlobal(QPoint(x, y)));
    };
    symbolImage_ = symbolImage;
    symbolImage_->setToolTip(tr("Choose the symbol"));
    tadpole_ = new QCheckBox(tr("tadpole symbol"));
    auto* batchColours = new PressImage;
    batchColours->pressed = [this](int x, int) { batchColourPressed(x); };
    batchColours_ = batchColours;
    auto* palette = new PressImage;
    palette->pressed = [this](int x, int) { palettePressed(x); };
    palette->onReleased([this](int, int) { paletteReleased(); });
    palette_ = palette;
    // Drawn before they are framed, so that their frames take their size.
    drawColourStrips();
    showSymbolChoice();
    // The symbol menu gives the current symbol: the image follows it.
    for (QAction* symbol : form_.symbolMenu()->actions())
        connect(symbol, &QAction::triggered, this, &TDlgOptions::showSymbolChoice);

    add_ = new QPushButton(tr("add"));
    modify_ = new QPushButton(tr("modify"));
    newFile_ = new QPushButton(tr("create a new file"));
    selectFile_ = new QPushButton(tr("select a file"));
    save_ = new QPushButton(tr("save"));
    display_ = new QPushButton(tr("display"));
    selection_ = new QLabel;
    connect(add_, &QPushButton::clicked, this, &TDlgOptions::addClick);
    connect(modify_, &QPushButton::clicked, this, &TDlgOptions::modifyClick);
    connect(newFile_, &QPushButton::clicked, this, &TDlgOptions::newFileClick);
    connect(selectFile_, &QPushButton::clicked, this, &TDlgOptions::selectFileClick);
    connect(save_, &QPushButton::clicked, this, &TDlgOptions::saveClick);
    connect(display_, &QPushButton::clicked, this, &TDlgOptions::displayClick);

    auto* entry = new QGridLayout;
    entry->addWidget(label("code"), 0, 0);
    entry->addWidget(codeBox_, 0, 1, 1, 2);
    entry->addWidget(label("symbol :"), 1, 0);
    entry->addLayout(row({Framed(symbolImage_), tadpole_}), 1, 1, 1, 2);
    entry->addLayout(row({Framed(batchColours_)}), 2, 0, 1, 3);
    entry->addWidget(add_, 3, 0);
    entry->addWidget(modify_, 3, 1);
    auto* files = column({newFile_, selectFile_, save_, display_});
    auto* symbolFile = new QGridLayout;
    symbolFile->addWidget(symbolBox_, 0, 0, 2, 1);
    symbolFile->addLayout(entry, 0, 1);
    symbolFile->addLayout(files, 0, 2);
    symbolFile->addWidget(selection_, 2, 0, 1, 3);
    symbolGroup_ = group(" Code / symbol equivalence (symbol file) ", symbolFile);

    toolBarShow_ = new QRadioButton(tr("show"));
    toolBarHide_ = new QRadioButton(tr("hide"));
    auto* toolBar = new QButtonGroup(this);
    toolBar->addButton(toolBarShow_);
    toolBar->addButton(toolBarHide_);
    connect(toolBarShow_, &QRadioButton::clicked, this, &TDlgOptions::toolBarClicked);
    connect(toolBarHide_, &QRadioButton::clicked, this, &TDlgOptions::toolBarClicked);
    helpOnTop_ = new QCheckBox(tr("Help should stay on the top"));
    keepOn_ = new QCheckBox(tr("when OK,  keep dialog on"));
    connect(helpOnTop_, &QCheckBox::clicked, this, &TDlgOptions::generalFlagsClicked);
    connect(keepOn_, &QCheckBox::clicked, this, &TDlgOptions::generalFlagsClicked);

    auto* lower = new QHBoxLayout;
    lower->addWidget(group(" Modify coulor palette ", column({Framed(palette_)})));
    lower->addWidget(group(" Tool bar ", row({toolBarShow_, toolBarHide_})));
    lower->addWidget(group(" Help option ", column({helpOnTop_})));
    lower->addStretch(1);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(symbolGroup_);
    layout->addLayout(lower);
    layout->addWidget(keepOn_);

    QWidget* page = pageWithButtons(kGeneral, content);
    connect(ok_[kGeneral], &QPushButton::clicked, this, &TDlgOptions::generalOk);
    connect(cancel_[kGeneral], &QPushButton::clicked, this, &TDlgOptions::generalCancel);
    return page;
}

void TDlgOptions::showGeneralFlags()
{
    const std::int32_t gene = app_.settings().StyleGene;
    (TestBit(gene, kGeneToolBar) ? toolBarShow_ : toolBarHide_)->setChecked(true);
    helpOnTop_->setChecked(TestBit(gene, kGeneHelpOnTop));
    keepOn_->setChecked(TestBit(gene, kGeneOptionsKeepOn));
}

void TDlgOptions::drawColourStrips()
{
    const VarGlob& s = app_.settings();
    const QImage strip = BandeCouleursImage(s.Tco, kPaletteCell, s.Couleur);
    batchColours_->setPicture(strip);
    palette_->setPicture(strip);
}

void TDlgOptions::showSymbolChoice()
{
    const VarGlob& s = app_.settings();
    symbolImage_->setPicture(ApercuSymboleImage(s.Tco, std::abs(s.Sy), 0, {24, 24}));
}

void TDlgOptions::readSymbolList()
{
    const std::vector<std::string> problems = ReadSymbolList(symbols_, app_.settings().NomFBatch);
    symbols_.batchSaved = true;
    showSymbolList();
    tellProblems(problems);
}

void TDlgOptions::showSymbolList()
{
    const QSignalBlocker quiet(symbolBox_);
    symbolBox_->clear();
    for (const std::string& line : symbols_.lines)
        symbolBox_->addItem(toQString(line));
    symbolBox_->setCurrentRow(symbols_.selected);
    selection_->setText(toQString(symbols_.label));
}

void TDlgOptions::tellProblems(const std::vector<std::string>& problems)
{
    if (problems.empty())
        return;
    std::string text;
    for (const std::string& problem : problems)
        text += problem + "\n";
    text.pop_back();
    app_.prompts().warning(text);
}

void TDlgOptions::symbolLineClicked(int row)
{
    if (row < 0 || row >= static_cast<int>(symbols_.lines.size()))
        return;
    symbols_.selected = row;
    const BatchLineRead read = ParseBatchLine(symbols_.lines[static_cast<std::size_t>(row)]);
    if (!read.entry)
        return;
    VarGlob& s = app_.settings();
    codeBox_->setEditText(toQString(read.entry->code.str()));
    s.Couleur = read.entry->co;
    s.Sy = read.entry->sy;
    tadpole_->setChecked(read.entry->sy < 0);
    drawColourStrips();
    showSymbolChoice();
}

std::optional<SymbolLineMade> TDlgOptions::madeLine()
{
    const VarGlob& s = app_.settings();
    SymbolLineMade made = MakeSymbolLine(fromQString(codeBox_->currentText()), s.Couleur,
                                         tadpole_->isChecked(), s.Sy);
    if (!made.entry) {
        app_.prompts().error(made.problem);
        return std::nullopt;
    }
    return made;
}

void TDlgOptions::addClick()
{
    if (codeBox_->currentText().trimmed().isEmpty())
        return;
    const std::optional<SymbolLineMade> made = madeLine();
    if (!made)
        return;
    const int same = LineOfCode(symbols_, made->entry->code);
    if (same >= 0) {
        symbols_.selected = same;
        showSymbolList();
        const QRect frame = frameGeometry();
        if (app_.prompts().warning("Code already in the list. Overwrite ?",
                                   Button::Yes | Button::No,
                                   Point{frame.left() + 25, frame.bottom() - 30})
            != Button::Yes)
            return;
    }
    AddSymbolLine(symbols_, made->line, same);
    showSymbolList();
}

void TDlgOptions::modifyClick()
{
    if (symbols_.selected < 0 || codeBox_->currentText().trimmed().isEmpty())
        return;
    if (const std::optional<SymbolLineMade> made = madeLine()) {
        ModifySymbolLine(symbols_, made->line);
        showSymbolList();
    }
}

void TDlgOptions::newFileClick()
{
    NewSymbolFile(symbols_);
    showSymbolList();
}

void TDlgOptions::selectFileClick()
{
    const std::optional<std::string> path = app_.prompts().openFile(
        {"Symbols file",
         BatchFolder(app_.settings().NomFBatch),
         {},
         {{"Batch file for symbols PloqPC", "*.pqb"}, {"All files", "*.*"}}});
    if (!path)
        return;
    app_.settings().NomFBatch = *path;
    readSymbolList();
    refreshPlotDialog();
}

void TDlgOptions::saveClick()
{
    symbols_.butBatch = 1;
    const std::optional<std::string> chosen =
        app_.prompts().saveFile({"Symbols file",
                                 BatchFolder(app_.settings().NomFBatch),
                                 {},
                                 {{"Ploq batch symbols file", "*.pqb"}, {"All files", "*.*"}}});
    if (!chosen)
        return;
    if (const std::optional<Message> failed =
            SaveSymbolList(symbols_, BatchSavePath(*chosen), app_.settings())) {
        app_.prompts().message(*failed);
        return;
    }
    showSymbolList();
    refreshPlotDialog();
}

void TDlgOptions::refreshPlotDialog()
{
    if (auto* plot = qobject_cast<TDlgEnterFile*>(app_.dialog(kDlgEnterFile)))
        plot->batchFileChanged();
}

void TDlgOptions::displayClick()
{
    const VarGlob& s = app_.settings();
    const bool named = BatchNamed(s.NomFBatch);
    const QRect frame = frameGeometry();
    const QPoint at(frame.right() - 15, frame.top() + symbolGroup_->height());
    TSymbBatch* legend =
        AfficherBatch(app_, named ? kBatchFile : kBatchOptionsList, at, symbols_.lines);
    if (legend)
        connect(legend, &TSymbBatch::batchFileChanged, this, &TDlgOptions::readSymbolList,
                Qt::UniqueConnection);
}

void TDlgOptions::symbolImagePressed(QPoint global)
{
    QMenu* menu = form_.symbolMenu();
    const int current = std::abs(app_.settings().Sy) - 1;
    const QList<QAction*> items = menu->actions();
    if (current >= 0 && current < items.size())
        items[current]->setChecked(true);
    menu->popup(global - QPoint(0, kSymbolMenuItemHeight * std::max(0, current)));
}

void TDlgOptions::batchColourPressed(int x)
{
    app_.settings().Couleur = CouleurCliquee(x, kPaletteCell);
    drawColourStrips();
}

void TDlgOptions::palettePressed(int x)
{
    batchColourPressed(x);
}

void TDlgOptions::paletteReleased()
{
    VarGlob& s = app_.settings();
    // A line of the list may have made a fixed colour current: those are not the palette's.
    if (s.Couleur < 0 || s.Couleur >= kUserColourCount)
        return;
    const auto c = static_cast<std::size_t>(s.Couleur);
    if (const std::optional<TColor> colour = app_.prompts().ChooseColour(s.Tco[c])) {
        s.Tco[c] = *colour;
        drawColourStrips();
        showSymbolChoice();
    }
}

void TDlgOptions::toolBarClicked()
{
    SetBit(app_.settings().StyleGene, kGeneToolBar, toolBarShow_->isChecked());
    form_.AjusterMemo1();
}

void TDlgOptions::generalFlagsClicked()
{
    std::int32_t& gene = app_.settings().StyleGene;
    SetBit(gene, kGeneHelpOnTop, helpOnTop_->isChecked());
    SetBit(gene, kGeneOptionsKeepOn, keepOn_->isChecked());
}

void TDlgOptions::dialogActivated()
{
    showGeneralFlags();
    const TWFichier* sheet = CurrentSheet(app_);
    if (!sheet)
        return;
    codeBox_->clear();
    for (const std::string& nature : DistinctTexts(sheet->sheet(), Field::Nature))
        codeBox_->addItem(toQString(nature));
    codeBox_->setCurrentIndex(codeBox_->count() > 0 ? 0 : -1);
}

bool TDlgOptions::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        dialogActivated();
    return QDialog::event(e);
}

void TDlgOptions::generalOk()
{
    form_.AjusterMemo1();
    AcceptGeneralPage(memory_, app_.settings());
    drawColourStrips();
    MajCanevas();
    closeUnlessKept();
}

void TDlgOptions::generalCancel()
{
    CancelGeneralPage(memory_, app_.settings());
    form_.AjusterMemo1();
    showGeneralFlags();
    drawColourStrips();
    showSymbolChoice();
    readSymbolList();
    refreshPlotDialog();
}

// --- Stats-1 ---------------------------------------------------------------------------

QWidget* TDlgOptions::buildStats1Page()
{
    crowns_ = listOf(kCrownItems);
    gridPicture_ = new QLabel;
    nodeCount_ = new QLabel;
    mesh_ = new QComboBox;
    for (int mesh : kMeshItems)
        mesh_->addItem(QStringLiteral(" %1").arg(mesh));
    meshPicture_ = new QLabel;
    connect(crowns_, &QComboBox::currentIndexChanged, this, &TDlgOptions::drawStats1Pictures);
    connect(mesh_, &QComboBox::currentIndexChanged, this, &TDlgOptions::drawStats1Pictures);
    auto* colours = new PressImage;
    colours->pressed = [this](int x, int) { contourColourPressed(x); };
    colours->onReleased([this](int, int) { contourColourReleased(); });
    contourColours_ = colours;
    countNumber_ = new QRadioButton(tr("data number"));
    countUniformity_ = new QRadioButton(tr("f (uniformity)"));
    auto* display = new QButtonGroup(this);
    display->addButton(countNumber_);
    display->addButton(countUniformity_);

    auto* counting = column({crowns_, gridPicture_, nodeCount_});
    auto* contouring = column({label("grid mesh"), mesh_, meshPicture_});
    auto* top = new QHBoxLayout;
    top->addWidget(group(" Counting grid size ", counting));
    top->addWidget(group(" Contouring ", contouring));
    top->addStretch(1);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(group(" Contours standard coulors ", column({Framed(contourColours_)})));
    layout->addWidget(group(" Counting display ", row({countNumber_, countUniformity_})));

    QWidget* page = pageWithButtons(kStats1, content);
    connect(ok_[kStats1], &QPushButton::clicked, this, &TDlgOptions::stats1Ok);
    connect(cancel_[kStats1], &QPushButton::clicked, this, &TDlgOptions::stats1Cancel);
    return page;
}

Stats1Page TDlgOptions::stats1Page() const
{
    Stats1Page page;
    page.crowns = crowns_->currentIndex();
    page.mesh = mesh_->currentIndex();
    page.countUniformity = countUniformity_->isChecked();
    return page;
}

void TDlgOptions::showStats1Page(const Stats1Page& page)
{
    crowns_->setCurrentIndex(page.crowns);
    mesh_->setCurrentIndex(page.mesh);
    (page.countUniformity ? countUniformity_ : countNumber_)->setChecked(true);
    drawStats1Pictures();
    drawContourColours();
}

void TDlgOptions::drawStats1Pictures()
{
    const VarGlob& s = app_.settings();
    const Stats1Page shown = stats1Page();
    const Stats1Page settled = Stats1PageOf(s);
    const int crownItem = shown.crowns >= 0 ? shown.crowns : std::max(settled.crowns, 0);
    const int meshItem = shown.mesh >= 0 ? shown.mesh : std::max(settled.mesh, 0);
    const int crowns = kMinCrowns + crownItem;
    const int mesh = kMeshItems[static_cast<std::size_t>(meshItem)];
    const Size size = StatsPictureSize(kStatsPictureWidth);
    gridPicture_->setPixmap(QPixmap::fromImage(DrawnImage(size, [&](Surface& surface) {
        CountingGridPicture(surface, kStatsPictureWidth, crowns, s);
    })));
    gridPicture_->setFixedSize(size.width, size.height);
    nodeCount_->setText(toQString(NodeCountLabel(crowns)));
    meshPicture_->setPixmap(QPixmap::fromImage(DrawnImage(
        size, [&](Surface& surface) { MeshPicture(surface, kStatsPictureWidth, mesh); })));
    meshPicture_->setFixedSize(size.width, size.height);
}

void TDlgOptions::drawContourColours()
{
    contourColours_->setPicture(DrawnImage(ContourColourCellsSize(), [this](Surface& surface) {
        ContourColourCells(surface, app_.settings(), contCol_);
    }));
}

void TDlgOptions::contourColourPressed(int x)
{
    contCol_ = ContourColourAt(x);
    drawContourColours();
}

void TDlgOptions::contourColourReleased()
{
    VarGlob& s = app_.settings();
    const auto c = static_cast<std::size_t>(contCol_);
    if (const std::optional<TColor> colour = app_.prompts().ChooseColour(s.TcoCont[c])) {
        s.TcoCont[c] = *colour;
        drawContourColours();
    }
}

void TDlgOptions::stats1Ok()
{
    TakeStats1Page(stats1Page(), app_.settings());
    closeUnlessKept();
}

void TDlgOptions::stats1Cancel()
{
    CancelStats1Page(memory_, app_.settings());
    showStats1Page(Stats1PageOf(app_.settings()));
}

// --- Stats-2 ---------------------------------------------------------------------------

namespace {

template <std::size_t N> QComboBox* numberList(const std::array<int, N>& items)
{
    auto* list = new QComboBox;
    for (int item : items)
        list->addItem(QString::number(item));
    return list;
}

QLineEdit* numberBox()
{
    auto* box = new QLineEdit;
    box->setFixedWidth(60);
    return box;
}

} // namespace

QWidget* TDlgOptions::buildStats2Page()
{
    azRange_ = numberList(kAzRangeItems);
    peRange_ = numberList(kPeRangeItems);
    tossings_ = numberList(kTossingItems);
    tiltCutOff_ = numberBox();
    axisCutOff_ = numberBox();
    polygonMin_ = numberBox();
    polygonUnderline_ = numberBox();
    summitMark_ = numberBox();
    listRotAxes_ = new QCheckBox(tr("list rotation axis"));

    auto* bootstrap = new QGridLayout;
    bootstrap->addWidget(label("Az range"), 0, 0);
    bootstrap->addWidget(azRange_, 0, 1);
    bootstrap->addWidget(label("Pe range"), 1, 0);
    bootstrap->addWidget(peRange_, 1, 1);
    bootstrap->addWidget(label("Nb of tossings"), 2, 0);
    bootstrap->addWidget(tossings_, 2, 1);
    auto* trackdip = new QGridLayout;
    trackdip->addWidget(label("tilt angle cut-off"), 0, 0);
    trackdip->addWidget(tiltCutOff_, 0, 1);
    trackdip->addWidget(label("axis trend cut-off"), 1, 0);
    trackdip->addWidget(axisCutOff_, 1, 1);
    trackdip->addWidget(label("polygon min size"), 2, 0);
    trackdip->addWidget(polygonMin_, 2, 1);
    trackdip->addWidget(label("segments"), 2, 2);
    trackdip->addWidget(label("underline rot max for polygones >"), 3, 0);
    trackdip->addWidget(polygonUnderline_, 3, 1);
    trackdip->addWidget(label("segments"), 3, 2);
    trackdip->addWidget(label("polygones summits : symb n\xB0"), 4, 0);
    trackdip->addWidget(summitMark_, 4, 1);
    trackdip->addWidget(listRotAxes_, 5, 0, 1, 3);

    auto* content = new QWidget;
    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group(" BS analysis ", bootstrap), 0, Qt::AlignTop);
    layout->addWidget(group(" Trackdip ", trackdip), 0, Qt::AlignTop);
    layout->addStretch(1);

    QWidget* page = pageWithButtons(kStats2, content);
    connect(ok_[kStats2], &QPushButton::clicked, this, &TDlgOptions::stats2Ok);
    connect(cancel_[kStats2], &QPushButton::clicked, this, &TDlgOptions::stats2Cancel);
    return page;
}

Stats2Page TDlgOptions::stats2Page() const
{
    Stats2Page page;
    page.azRange = azRange_->currentIndex();
    page.peRange = peRange_->currentIndex();
    page.tossings = tossings_->currentIndex();
    page.tiltCutOff = fromQString(tiltCutOff_->text());
    page.axisCutOff = fromQString(axisCutOff_->text());
    page.polygonMin = fromQString(polygonMin_->text());
    page.polygonUnderline = fromQString(polygonUnderline_->text());
    page.summitMark = fromQString(summitMark_->text());
    page.listRotationAxes = listRotAxes_->isChecked();
    return page;
}

void TDlgOptions::showStats2Page(const Stats2Page& page)
{
    azRange_->setCurrentIndex(page.azRange);
    peRange_->setCurrentIndex(page.peRange);
    tossings_->setCurrentIndex(page.tossings);
    tiltCutOff_->setText(toQString(page.tiltCutOff));
    axisCutOff_->setText(toQString(page.axisCutOff));
    polygonMin_->setText(toQString(page.polygonMin));
    polygonUnderline_->setText(toQString(page.polygonUnderline));
    summitMark_->setText(toQString(page.summitMark));
    listRotAxes_->setChecked(page.listRotationAxes);
}

void TDlgOptions::stats2Ok()
{
    VarGlob& s = app_.settings();
    if (const std::optional<std::string> refusal = TakeStats2Page(stats2Page(), s)) {
        app_.prompts().error(*refusal);
        return;
    }
    showStats2Page(Stats2PageOf(s));
    closeUnlessKept();
}

void TDlgOptions::stats2Cancel()
{
    VarGlob& s = app_.settings();
    CancelStats2Page(memory_, s);
    // The Trackdip cut-offs and sizes go back; what else was typed stays.
    Stats2Page page = stats2Page();
    const Stats2Page opening = Stats2PageOf(s);
    page.tiltCutOff = opening.tiltCutOff;
    page.axisCutOff = opening.axisCutOff;
    page.polygonMin = opening.polygonMin;
    page.polygonUnderline = opening.polygonUnderline;
    page.listRotationAxes = opening.listRotationAxes;
    showStats2Page(page);
}

// --- Data ------------------------------------------------------------------------------

QWidget* TDlgOptions::buildDataPage()
{
    declination_ = new QLineEdit;
    declination_->setFixedWidth(60);
    declination_->setToolTip(tr("Degrees; a minus sign for a west declination"));
    addDecl_ = new QCheckBox(tr("Add magnetic declination"));
    editInGrid_ = new QCheckBox(tr("Can edit in the grid (multiple selection impossible)"));
    printGrid_ = new QCheckBox(tr("When printing data tables  : print the grid"));
    showDeci_ = new QCheckBox(tr("Display decimal values"));
    planeNotations_ = listOf(kOptionsPlaneNotations);
    lineNotations_ = listOf(kOptionsLineNotations);

    auto* formats = new QGridLayout;
    formats->addWidget(label("planes"), 0, 0);
    formats->addWidget(planeNotations_, 0, 1);
    formats->addWidget(label("lines"), 1, 0);
    formats->addWidget(lineNotations_, 1, 1);
    formats->addWidget(showDeci_, 2, 0, 1, 2);

    auto* codes = new QGridLayout;
    codes->addWidget(label("Old"), 0, 1);
    codes->addWidget(label("New"), 0, 2);
    for (int field = 1; field <= kFieldCount; ++field) {
        const auto f = static_cast<std::size_t>(field);
        oldHeadings_[f] = new QLabel;
        newHeadings_[f] = new QLineEdit;
        newHeadings_[f]->setFixedWidth(70);
        codes->addWidget(oldHeadings_[f], field, 1);
        codes->addWidget(newHeadings_[f], field, 2);
    }

    sampleNet_ = new QLabel;
    sampleNet_->setFixedSize(kSampleNetWidth, kSampleNetWidth);

    auto* declinationRow = new QHBoxLayout;
    declinationRow->addWidget(label("declination"));
    declinationRow->addWidget(declination_);
    declinationRow->addWidget(addDecl_);
    declinationRow->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(declinationRow);
    left->addWidget(editInGrid_);
    left->addWidget(printGrid_);
    left->addWidget(group(" Data format ", formats));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(group(" Codes names ", codes));
    right->addWidget(sampleNet_, 0, Qt::AlignHCenter);
    auto* content = new QWidget;
    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left);
    layout->addLayout(right);

    QWidget* page = pageWithButtons(kData, content);
    connect(ok_[kData], &QPushButton::clicked, this, &TDlgOptions::dataOk);
    connect(cancel_[kData], &QPushButton::clicked, this, &TDlgOptions::dataCancel);
    return page;
}

DataPage TDlgOptions::dataPage() const
{
    DataPage page;
    page.declination = fromQString(declination_->text());
    page.addDeclination = addDecl_->isChecked();
    page.editInGrid = editInGrid_->isChecked();
    page.printGrid = printGrid_->isChecked();
    page.showDecimals = showDeci_->isChecked();
    page.planeNotation = planeNotations_->currentIndex();
    page.lineNotation = lineNotations_->currentIndex();
    for (int field = 1; field <= kFieldCount; ++field)
        page.headings[static_cast<std::size_t>(field)] =
            fromQString(newHeadings_[static_cast<std::size_t>(field)]->text());
    return page;
}

void TDlgOptions::showDataPage(const DataPage& page)
{
    declination_->setText(toQString(page.declination));
    addDecl_->setChecked(page.addDeclination);
    editInGrid_->setChecked(page.editInGrid);
    printGrid_->setChecked(page.printGrid);
    showDeci_->setChecked(page.showDecimals);
    planeNotations_->setCurrentIndex(page.planeNotation);
    lineNotations_->setCurrentIndex(page.lineNotation);
    for (int field = 1; field <= kFieldCount; ++field) {
        const auto f = static_cast<std::size_t>(field);
        oldHeadings_[f]->setText(toQString(app_.settings().TNomC[f]));
        newHeadings_[f]->setText(toQString(page.headings[f]));
    }
    drawSampleNet();
}

void TDlgOptions::drawSampleNet()
{
    sampleNet_->setPixmap(
        QPixmap::fromImage(DrawnImage({kSampleNetWidth, kSampleNetWidth}, [this](Surface& surface) {
            SampleNet(surface, kSampleNetWidth, app_.settings());
        })));
}

void TDlgOptions::dataOk()
{
    VarGlob& s = app_.settings();
    if (const std::optional<std::string> refusal = TakeDataPage(dataPage(), s)) {
        app_.prompts().error(*refusal);
        return;
    }
    if (s.TNomC != memory_.settings.TNomC)
        for (TWFichier* sheet : visibleSheets(app_))
            sheet->SetHeadings();
    TWFichier* current = CurrentSheet(app_);
    if (current)
        current->sheet().lShowDeci = s.ShowDeci;
    if (current && DataNotationChanged(memory_, s)
        && app_.prompts().confirmation("Modify now the displayed data sheets ?",
                                       Button::Yes | Button::No)
               == Button::Yes) {
        const Notation notation{s.FrtS, s.FrtL};
        for (TWFichier* sheet : visibleSheets(app_))
            sheet->ChangeNotation(notation);
    }
    if (current) {
        current->declinationBox()->setText(toQString(FormatFixed(s.Decl / kDegToRad, 1)));
        current->DeclinationChanged();
    }
    AcceptDataPage(memory_, s);
    showDataPage(DataPageOf(s));
    closeUnlessKept();
}

void TDlgOptions::dataCancel()
{
    VarGlob& s = app_.settings();
    CancelDataPage(memory_, s);
    showDataPage(DataPageOf(s));
    for (TWFichier* sheet : visibleSheets(app_))
        sheet->SetHeadings();
    if (TWFichier* current = CurrentSheet(app_)) {
        current->declinationBox()->setText(toQString(FormatFixed(s.Decl / kDegToRad, 1)));
        current->DeclinationChanged();
        current->sheet().lShowDeci = s.ShowDeci;
    }
}

// --- Import ----------------------------------------------------------------------------

QWidget* TDlgOptions::buildImportPage()
{
    separator_ = listOf(kSeparatorItems);
    ploqFormats_ = listOf(kPlaneFormatLabels);
    ploqLinePanel_ = new QLabel;
    ploqLinePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ploqLinePanel_->setMinimumWidth(220);
    connect(ploqFormats_, &QComboBox::currentIndexChanged, this, &TDlgOptions::showPloqLineFormat);

    auto* fieldGrid = new QGridLayout;
    for (int i = 0; i < kImportFieldCount; ++i) {
        const auto f = static_cast<std::size_t>(i);
        fieldLabels_[f] = new QLabel;
        fields_[f] = listOf(kFieldItems);
        fields_[f]->setMinimumHeight(fields_[f]->sizeHint().height());
        fieldGrid->addWidget(fieldLabels_[f], 0, i);
        fieldGrid->addWidget(fields_[f], 1, i);
    }
    fieldLabels_[kImportValue]->setText(tr("value"));

    rawPlanes_ = new QRadioButton(tr("planes"));
    rawLines_ = new QRadioButton(tr("lines"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(rawPlanes_);
    kinds->addButton(rawLines_);
    rawFormats_ = new QComboBox;
    addNumber_ = new QCheckBox(tr("add code number"));
    connect(rawPlanes_, &QRadioButton::toggled, this, &TDlgOptions::rawKindChanged);

    auto* help = label(kImportHelp);
    help->setWordWrap(true);
    help->setMaximumWidth(460);

    auto* separatorRow = row({label("separator"), separator_});
    auto* ploq = new QVBoxLayout;
    ploq->addLayout(row({ploqFormats_, ploqLinePanel_}));
    ploq->addWidget(group(" Ploq file : col. nb for ", fieldGrid));
    auto* raw = new QHBoxLayout;
    raw->addLayout(column({rawPlanes_, rawLines_}));
    raw->addLayout(column({rawFormats_, addNumber_}));
    raw->addStretch(1);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(separatorRow);
    layout->addWidget(group(" import Ploq text file ", ploq));
    layout->addWidget(group(" import raw data ", raw));
    layout->addWidget(help);

    QWidget* page = pageWithButtons(kImport, content);
    connect(ok_[kImport], &QPushButton::clicked, this, &TDlgOptions::importOk);
    connect(cancel_[kImport], &QPushButton::clicked, this, &TDlgOptions::importCancel);
    return page;
}

void TDlgOptions::showPloqLineFormat()
{
    const int item = ploqFormats_->currentIndex();
    ploqLinePanel_->setText(item < 0 ? QString() : toQString(PloqLineFormatItem(item)));
}

void TDlgOptions::rawKindChanged()
{
    const bool planes = rawPlanes_->isChecked();
    const int shown = RawFormatShown(planes, rawFormats_->currentIndex());
    rawFormats_->clear();
    for (int item = 0; item < RawFormatCount(planes); ++item)
        rawFormats_->addItem(toQString(RawFormatItem(planes, item)));
    rawFormats_->setCurrentIndex(shown);
}

ImportPage TDlgOptions::importPage() const
{
    ImportPage page;
    page.separator = separator_->currentIndex();
    page.ploqFormat = ploqFormats_->currentIndex();
    for (std::size_t i = 0; i < fields_.size(); ++i)
        page.fields[i] = fields_[i]->currentIndex();
    page.rawPlanes = rawPlanes_->isChecked();
    page.rawFormat = rawFormats_->currentIndex();
    page.addNumber = addNumber_->isChecked();
    return page;
}

void TDlgOptions::showImportPage(const ImportPage& page)
{
    separator_->setCurrentIndex(page.separator);
    ploqFormats_->setCurrentIndex(page.ploqFormat);
    showPloqLineFormat();
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setCurrentIndex(page.fields[i]);
    for (int i = kImportNature; i <= kImportComment; ++i)
        fieldLabels_[static_cast<std::size_t>(i)]->setText(
            toQString(app_.settings().TNomC[static_cast<std::size_t>(i) + 2]));
    (page.rawPlanes ? rawPlanes_ : rawLines_)->setChecked(true);
    rawKindChanged();
    rawFormats_->setCurrentIndex(page.rawFormat);
    addNumber_->setChecked(page.addNumber);
}

void TDlgOptions::refreshImportDialog()
{
    if (auto* import = qobject_cast<TDlgImportText*>(app_.dialog(kDlgImportText)))
        import->refreshLabels();
}

void TDlgOptions::importOk()
{
    TakeImportPage(importPage(), app_.settings());
    refreshImportDialog();
    closeUnlessKept();
}

void TDlgOptions::importCancel()
{
    CancelImportPage(memory_, app_.settings());
    showImportPage(ImportPageOf(app_.settings()));
    refreshImportDialog();
}

// --- Stereonet -------------------------------------------------------------------------

QWidget* TDlgOptions::buildStereonetPage()
{
    const auto pair = [this](QRadioButton*& first, const char* a, QRadioButton*& second,
                             const char* b) {
        first = new QRadioButton(toQString(a));
        second = new QRadioButton(toQString(b));
        auto* buttons = new QButtonGroup(this);
        buttons->addButton(first);
        buttons->addButton(second);
    };
    pair(wulff_, "Wulff", schmidt_, "Schmidt");
    pair(lower_, "Lower", upper_, "Upper");
    pair(tailIn_, "inbound canvas", tailOut_, "outbound canvas");
    planesAs_ = listOf(kPlanesAsItems);
    netCentre_ = new QCheckBox(tr("display net center"));
    graduations_ = new QCheckBox(tr("display graduations"));
    diameters_ = new QCheckBox(tr("draw main diameters"));
    gridStep_ = new QComboBox;
    for (int step : kGridStepItems)
        gridStep_->addItem(QString::number(step));
    auto* cells = new PressImage;
    cells->pressed = [this](int x, int y) { gridColourPressed(x, y); };
    gridColours_ = cells;
    diameter_ = new QSpinBox;
    diameter_->setRange(kMinNetDiameterMM, kMaxNetDiameterMM);
    listInfo_ = new QCheckBox(tr("Data listed in the \"Info\" part of the plot window"));
    arrowFaultColour_ = new QCheckBox(tr("same as fault, or :"));

    // The strip opens over the arrow image; the press that opened it goes on to its release.
    auto* arrow = new PressImage;
    arrow_ = arrow;
    arrowStrip_ = new ClickImage(this);
    arrowStrip_->hide();
    arrow->pressed = [this](int, int) { arrowImagePressed(); };
    const auto onStrip = [this](int x, int y) {
        return arrowStrip_->mapFromGlobal(arrow_->mapToGlobal(QPoint(x, y)));
    };
    arrow->moved = [this, onStrip](int x, int y) {
        const QPoint at = onStrip(x, y);
        const std::optional<int> cell = ArrowColourAt({at.x(), at.y()});
        arrowStrip_->setPicture(
            BandeCouleursImage(app_.settings().Tco, kColourCell, cell.value_or(-1)));
    };
    arrow->onReleased([this, onStrip](int x, int y) {
        if (!arrowStrip_->isVisible())
            return;
        const QPoint at = onStrip(x, y);
        arrowStripReleased(at.x(), at.y());
    });
    arrowStrip_->onReleased([this](int x, int y) { arrowStripReleased(x, y); });

    auto* top = new QGridLayout;
    top->addWidget(group("Projection ", column({wulff_, schmidt_})), 0, 0);
    top->addWidget(group("Hemispher ", column({lower_, upper_})), 0, 1);
    top->addWidget(group("Planes as ", column({planesAs_})), 0, 2);
    auto* drawing = column(
        {label("Tadpole symbol tail "), tailIn_, tailOut_, netCentre_, graduations_, diameters_});
    auto* grid = column({label("step"), gridStep_, gridColours_});
    top->addWidget(group(" Drawing ", drawing), 1, 0, 1, 2);
    top->addWidget(group(" Grid style", grid), 1, 2);
    auto* diameterRow = row({label("Screen diameter of the net (mm):"), diameter_});
    auto* faults = row({arrow_, arrowFaultColour_});

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(diameterRow);
    layout->addWidget(listInfo_);
    layout->addWidget(group(" Faults : color for movement arrow ", faults));

    QWidget* page = pageWithButtons(kStereonet, content);
    connect(ok_[kStereonet], &QPushButton::clicked, this, &TDlgOptions::stereonetOk);
    connect(cancel_[kStereonet], &QPushButton::clicked, this, &TDlgOptions::stereonetCancel);
    return page;
}

StereonetPage TDlgOptions::stereonetPage() const
{
    const VarGlob& s = app_.settings();
    StereonetPage page;
    page.wulff = wulff_->isChecked();
    page.lowerHemisphere = lower_->isChecked();
    page.planesAs = planesAs_->currentIndex();
    page.tailInward = tailIn_->isChecked();
    page.netCentre = netCentre_->isChecked();
    page.graduations = graduations_->isChecked();
    page.diameters = diameters_->isChecked();
    page.gridStep = gridStep_->currentIndex();
    diameter_->interpretText();
    page.diameterMM = diameter_->value();
    page.listInfo = listInfo_->isChecked();
    page.arrowFaultColour = arrowFaultColour_->isChecked();
    page.gridColour = s.GridCol;
    page.arrowColour = StereonetPageOf(s, 0).arrowColour;
    return page;
}

void TDlgOptions::showStereonetPage(const StereonetPage& page)
{
    (page.wulff ? wulff_ : schmidt_)->setChecked(true);
    (page.lowerHemisphere ? lower_ : upper_)->setChecked(true);
    planesAs_->setCurrentIndex(page.planesAs);
    (page.tailInward ? tailIn_ : tailOut_)->setChecked(true);
    netCentre_->setChecked(page.netCentre);
    graduations_->setChecked(page.graduations);
    diameters_->setChecked(page.diameters);
    gridStep_->setCurrentIndex(page.gridStep);
    diameter_->setValue(page.diameterMM);
    listInfo_->setChecked(page.listInfo);
    arrowFaultColour_->setChecked(page.arrowFaultColour);
    drawGridColours();
    drawArrowColour();
}

void TDlgOptions::drawGridColours()
{
    gridColours_->setPicture(DrawnImage(GridColourCellsSize(), [this](Surface& surface) {
        GridColourCells(surface, app_.settings());
    }));
}

void TDlgOptions::drawArrowColour()
{
    const int colour = StereonetPageOf(app_.settings(), 0).arrowColour;
    arrow_->setPicture(DrawnImage(ArrowColourSize(), [this, colour](Surface& surface) {
        ArrowColourImage(surface, app_.settings(), colour);
    }));
}

void TDlgOptions::gridColourPressed(int x, int y)
{
    if (const std::optional<int> colour = GridColourAt({x, y})) {
        app_.settings().GridCol = *colour;
        drawGridColours();
    }
}

void TDlgOptions::arrowImagePressed()
{
    arrowStrip_->setPicture(BandeCouleursImage(app_.settings().Tco, kColourCell, -1));
    arrowStrip_->move(arrow_->mapTo(this, QPoint(-2, -2)));
    arrowStrip_->show();
    arrowStrip_->raise();
}

void TDlgOptions::arrowStripReleased(int x, int y)
{
    arrowStrip_->hide();
    if (const std::optional<int> colour = ArrowColourAt({x, y})) {
        app_.settings().ColMvtF = *colour;
        drawArrowColour();
    }
}

void TDlgOptions::stereonetOk()
{
    VarGlob& s = app_.settings();
    const int radius = TakeStereonetPage(stereonetPage(), s, ActiveCanvas(app_) != nullptr);
    MajCanevas(radius, true);
    drawSampleNet();
    closeUnlessKept();
}

void TDlgOptions::stereonetCancel()
{
    VarGlob& s = app_.settings();
    CancelStereonetPage(memory_, s, ActiveCanvas(app_) != nullptr);
    showStereonetPage(StereonetPageOf(s, memory_.radius));
    MajCanevas(memory_.radius, false);
    drawSampleNet();
}

void TDlgOptions::MajCanevas(int radius, bool ask)
{
    const TWPlot* current = ActiveCanvas(app_);
    if (!current)
        return;
    if (ask && CanvasChangeNeedsQuestion(memory_, app_.settings(), radius, current->model().lRc)
        && app_.prompts().confirmation("Change the canvas ?", Button::Yes | Button::No)
               != Button::Yes)
        return;
    refreshCanvases(radius);
}

void TDlgOptions::MajCanevas()
{
    if (ActiveCanvas(app_))
        refreshCanvases(std::nullopt);
}

void TDlgOptions::refreshCanvases(std::optional<int> radius)
{
    VarGlob& s = app_.settings();
    for (TWPlot* plot : visibleCanvases(app_)) {
        CanvasModel& m = plot->model();
        if (radius && *radius != m.lRc)
            plot->SetRayon(*radius, true);
        m.lStylePlot = s.StylePlot;
        m.lStyleCnvs = s.StyleCnvs;
        if (HoldsRecords(m.natWP))
            for (int i = 1; i <= m.lNT; ++i) {
                InfoVal& v = m.lVal[static_cast<std::size_t>(i)];
                v.inf = RestyledInf(v.inf, s.StylePlot);
            }
        m.rChanged = true;
        plot->NettoyerWP();
        plot->MajMenuStyle();
    }
    // New canvases open as the current one now is.
    if (const TWPlot* current = ActiveCanvas(app_))
        s.Rc = current->model().lRc;
}

void TDlgOptions::closeEvent(QCloseEvent* event)
{
    if (QWidget* legend = app_.dialog(kWinSymbBatch))
        legend->close();
    QDialog::closeEvent(event);
}

TDlgOptions* OptionsDialog(TForm1& form, Application& app)
{
    auto* dialog = qobject_cast<TDlgOptions*>(app.dialog(kDlgOptions));
    if (!dialog) {
        dialog = new TDlgOptions(app, form);
        app.setDialog(kDlgOptions, dialog);
        // Placed once shown, when its frame counts in its width.
        dialog->show();
        const QRect main = form.frameGeometry();
        const Point at = OptionsDialogPlace({main.left(), main.top(), main.width(), main.height()},
                                            dialog->frameGeometry().width());
        dialog->move(at.x, at.y);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void ChooseSheetFont(Application& app)
{
    VarGlob& s = app.settings();
    const std::optional<FontChoice> font = app.prompts().chooseFont({s.FontName, s.FontHeight});
    if (!font || !TakeSheetFont(*font, s))
        return;
    if (CurrentSheet(app)
        && app.prompts().confirmation("Change the datasheet ?", Button::Yes | Button::No)
               == Button::No)
        return;
    for (TWFichier* sheet : visibleSheets(app))
        sheet->SetGridFont();
}

void InstallOptionsCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::OptionsChoose, [&form, &app] { OptionsDialog(form, app); });
    form.setHandler(Cmd::OptionsCharacters, [&app] { ChooseSheetFont(app); });
}

} // namespace ploq
