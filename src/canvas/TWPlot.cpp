#include "canvas/TWPlot.h"

#include "app/Application.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "app/ScreenPlace.h"
#include "canvas/Dessin.h"
#include "canvas/SymbBatchWindow.h"
#include "canvas/TWPlotCommands.h"
#include "canvas/TWPlotOutput.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "platform/Prompts.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DlgContDD.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

namespace ploq {

// The canvas image on screen; it hands its mouse events to the window.
class CanvasView : public QWidget {
public:
    explicit CanvasView(TWPlot& plot) : plot_(plot)
    {
        setMouseTracking(true);
        // A click on the picture takes the focus from the information panel.
        setFocusPolicy(Qt::ClickFocus);
    }

    void refresh()
    {
        const Size size = plot_.model().imageSize();
        setFixedSize(size.width, size.height);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (auto* image = dynamic_cast<QtImage*>(plot_.model().image())) {
            QPainter painter(this);
            painter.drawImage(0, 0, image->image());
        }
    }
    void mousePressEvent(QMouseEvent* e) override { forward(0, e); }
    void mouseMoveEvent(QMouseEvent* e) override { forward(1, e); }
    void mouseReleaseEvent(QMouseEvent* e) override { forward(2, e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { forward(3, e); }

private:
    void forward(int phase, QMouseEvent* e)
    {
        const QPoint p = e->position().toPoint();
        const auto buttons = phase == 1 ? e->buttons() : e->button();
        plot_.imageMouse(phase, {p.x(), p.y(), (buttons & Qt::RightButton) == 0,
                                 (e->modifiers() & Qt::ShiftModifier) != 0,
                                 (e->modifiers() & Qt::ControlModifier) != 0});
    }

    TWPlot& plot_;
};

namespace {

enum StyleItem {
    kItemNet = 0,
    kItemHemisphere = 1,
    kItemPoles = 3,
    kItemTraces = 4,
    kItemPolesAndTraces = 5,
    kItemGraduations = 7,
    kItemCentre = 8,
    kItemDiameters = 9,
    kItemGrid = 11,
    kItemEraseGrid = 12,
    kItemListValues = 14,
    kItemClean = 15,
};

QToolButton* toolButton(QWidget* parent, const QString& tip, const QIcon& icon,
                        const QString& text = {})
{
    auto* b = new QToolButton(parent);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    if (icon.isNull())
        b->setText(text);
    else
        b->setIcon(icon);
    b->setFixedHeight(kCanvasToolBarHeight);
    return b;
}

QIcon standardIcon(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }

// Where a dialog of that width opens beside the canvas, right first unless kind is -1.
Point besideCanvas(const QWidget& canvas, int width, int kind = 1)
{
    Placement p;
    p.kind = kind;
    p.dialogWidth = width;
    p.gap = 1;
    const QRect r = canvas.frameGeometry();
    p.canvas = ScreenRect{r.left(), r.top(), r.width(), r.height()};
    if (const QScreen* screen = canvas.screen())
        p.screenWidth = screen->availableGeometry().width();
    return PlaceDialog(p);
}

// Mode 75: the clicked point, or the record near it, becomes the axis of the grid.
void gridAxisClick(TWPlot& plot, const CanvasMouse& mouse)
{
    CanvasModel& m = plot.model();
    const std::optional<Direction> clicked = m.DirAt(mouse.x, mouse.y);
    if (!clicked || !mouse.left)
        return;
    const VarGlob& s = plot.app().settings();
    // Counting and diagram canvases count values they do not hold as records.
    const std::span<const InfoVal> records =
        m.lVal.empty()
            ? std::span<const InfoVal>()
            : std::span<const InfoVal>(m.lVal).subspan(1, static_cast<std::size_t>(m.lNT));
    const ClickedAxis axis = GridAxisFromClick(records, *clicked, {s.FrtS, s.FrtL}, s.ShowDeci);
    m.natGrille = kGridAxed;
    m.ar4 = axis.axis.trend;
    m.ar5 = axis.axis.plunge;
    if (axis.record > 0)
        m.i2 = axis.record - 1;
    plot.appendInfo(GridAxisLine(axis));
    plot.NettoyerWP();
    if (mouse.shift && m.image()) {
        DrawContext ctx = ScreenContext(m, s);
        ctx.CnvsCourant.setFont({s.FontName, 11, false, false, clBlack});
        ctx.CnvsCourant.setBrush({clWhite, BrushStyle::Clear});
        ctx.CnvsCourant.textOut({mouse.x + 6, mouse.y - 6}, axis.label);
        if (axis.record == 0)
            DessinerSymbole(ctx, 22, 16, mouse.x, mouse.y);
        plot.view()->update();
    }
}

} // namespace

std::map<int, ClickMode>& ClickModes()
{
    static std::map<int, ClickMode> modes;
    return modes;
}

std::map<int, std::function<void(TWPlot&, bool)>>& KindButtons()
{
    static std::map<int, std::function<void(TWPlot&, bool)>> buttons;
    return buttons;
}

std::map<int, std::function<void(TWPlot&)>>& KindListings()
{
    static std::map<int, std::function<void(TWPlot&)>> listings;
    return listings;
}

std::map<int, std::function<QMenu*(TWPlot&)>>& KindMenus()
{
    static std::map<int, std::function<QMenu*(TWPlot&)>> menus;
    return menus;
}

TWPlot::TWPlot(Application& app, int natWP)
    : QWidget(app.mainWindow(), Qt::Window), app_(app), model_(natWP, app.settings())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Plot"));
    imagePanel_ = new QWidget(this);
    scroll_ = new QScrollArea(imagePanel_);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_ = new CanvasView(*this);
    scroll_->setWidget(view_);
    scroll_->setBackgroundRole(QPalette::Base);

    label1_ = new QLabel(imagePanel_);
    label2_ = new QLabel(imagePanel_);
    label3_ = new QLabel(imagePanel_);
    for (QLabel* l : {label1_, label2_, label3_})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    button1_ = new QPushButton(imagePanel_);
    button1_->setFixedSize(45, 22);
    button1_->hide();
    connect(button1_, &QPushButton::clicked, this, [this] {
        Button1MouseUp(QApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    progressBar1_ = new QProgressBar(imagePanel_);
    progressBar1_->hide();

    richEdit1_ = new QTextEdit(this);
    richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
    buildToolBar();
    buildStyleMenu();
    buildInfoMenu();
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    installEventFilter(this);
}

TWPlot::~TWPlot() { app_.removeWindow(*this); }

void TWPlot::buildToolBar()
{
    toolBar_ = new QWidget(this);
    auto* row = new QHBoxLayout(toolBar_);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(1);
    auto* fold = toolButton(toolBar_, tr("Fold the tool bar"), standardIcon(QStyle::SP_ArrowDown));
    connect(fold, &QToolButton::clicked, this, [this] { setFolded(true); });
    auto* style = toolButton(toolBar_, tr("Canvas style"), {}, QStringLiteral("Style"));
    connect(style, &QToolButton::clicked, this, [this] {
        styleButtonMenu()->popup(mapToGlobal(QPoint(10, imagePanel_->height() + 35)));
    });
    auto* setDiam = toolButton(toolBar_, tr("Give the canvas diameter"), {}, QStringLiteral("set (mm)"));
    connect(setDiam, &QToolButton::clicked, this, &TWPlot::SetDiamClick);
    edit1_ = new QLineEdit(toolBar_);
    edit1_->setFixedSize(44, kCanvasToolBarHeight - 2);
    connect(edit1_, &QLineEdit::returnPressed, this, &TWPlot::SetDiamClick);
    auto* enlarge = toolButton(toolBar_, tr("Enlarge"), {}, QStringLiteral("+"));
    connect(enlarge, &QToolButton::clicked, this, &TWPlot::SpeedButton1Click);
    auto* reduce = toolButton(toolBar_, tr("Reduce"), {}, QStringLiteral("\u2212"));
    connect(reduce, &QToolButton::clicked, this, &TWPlot::SpeedButton2Click);
    auto* list = toolButton(toolBar_, tr("List the plotted values"),
                            standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(list, &QToolButton::clicked, this, [this] { DoPUMenuStyleCnvs(kItemListValues); });
    auto* clear = toolButton(toolBar_, tr("Clear the information panel"),
                             standardIcon(QStyle::SP_DialogResetButton));
    connect(clear, &QToolButton::clicked, richEdit1_, &QTextEdit::clear);
    for (QWidget* w : std::initializer_list<QWidget*>{fold, style, setDiam, edit1_, enlarge,
                                                      reduce, list, clear})
        row->addWidget(w);
    row->addStretch(1);
    deplier_ = toolButton(this, tr("Unfold the tool bar"), standardIcon(QStyle::SP_ArrowUp));
    connect(deplier_, &QToolButton::clicked, this, [this] { setFolded(false); });
    deplier_->hide();
}

void TWPlot::buildStyleMenu()
{
    menuStyleCnvs_ = new QMenu(this);
    const char* captions[] = {"Wulff net", "Upper hemisphere", nullptr,
                              "Surfaces -> poles", "Surfaces -> cyclographic ",
                              "Surfaces -> cyclo + pole", nullptr, "Net graduations",
                              "Display center", "Main diameters", nullptr,
                              "Show stereographic grid", "Erase grid", nullptr,
                              "List plotted values", "Clean"};
    for (int i = 0; i < 16; ++i) {
        if (!captions[i]) {
            styleItems_.push_back(menuStyleCnvs_->addSeparator());
            continue;
        }
        if (i == kItemGrid) {
            gridMenu_ = menuStyleCnvs_->addMenu(QString::fromLatin1(captions[i]));
            styleItems_.push_back(gridMenu_->menuAction());
            continue;
        }
        QAction* a = menuStyleCnvs_->addAction(QString::fromLatin1(captions[i]));
        a->setCheckable(i >= kItemPoles && i <= kItemDiameters);
        connect(a, &QAction::triggered, this, [this, i] { DoPUMenuStyleCnvs(i); });
        styleItems_.push_back(a);
    }
    const char* grids[] = {"Standard", "Polar", "Axed on clicked point", "Axed on a given position",
                           "Indexed grid"};
    for (int i = 0; i < 5; ++i) {
        QAction* a = gridMenu_->addAction(QString::fromLatin1(grids[i]));
        connect(a, &QAction::triggered, this, [this, i] { DoPUMenuGrille(i); });
        if (i == kGridItemIndexed) {
            a->setCheckable(true);
            indexedItem_ = a;
        }
    }
}

void TWPlot::buildInfoMenu()
{
    richEdit1_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(this);
    menu->addAction(tr("Undo"), richEdit1_, &QTextEdit::undo);
    menu->addAction(tr("Cut"), richEdit1_, &QTextEdit::cut);
    menu->addAction(tr("Copy"), richEdit1_, &QTextEdit::copy);
    menu->addAction(tr("Paste"), richEdit1_, &QTextEdit::paste);
    menu->addAction(tr("Select all"), richEdit1_, &QTextEdit::selectAll);
    connect(richEdit1_, &QTextEdit::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->popup(richEdit1_->mapToGlobal(at)); });
    connect(richEdit1_, &QTextEdit::selectionChanged, this, [this] { emit app_.menusChanged(); });
}

QMenu* TWPlot::styleButtonMenu()
{
    if (const auto it = KindMenus().find(model_.natWP); it != KindMenus().end())
        return it->second(*this);
    return menuStyleCnvs_;
}

bool TWPlot::isNormal() const { return IsNormalWindow(*this); }

void TWPlot::setTitle(const std::string& title)
{
    title_ = title;
    setWindowTitle(toQString(title));
    emit app_.menusChanged();
}

void TWPlot::describe(AppSnapshot& s) const
{
    s.canvasKind = model_.natWP;
    s.canvasValues = model_.lNT;
    s.canvasInfoFocused = infoFocused();
    s.canvasInfoSelection = richEdit1_->textCursor().hasSelection();
}

bool TWPlot::infoFocused() const
{
    // The window keeps its focus child while another window (the main window's menu) is active.
    return focusWidget() == richEdit1_;
}

void TWPlot::runEdit(Cmd command)
{
    const bool inPanel = infoFocused();
    switch (command) {
    case Cmd::EditUndo:
        if (inPanel)
            richEdit1_->undo();
        break;
    case Cmd::EditCut: richEdit1_->cut(); break;
    case Cmd::EditCopy:
        if (richEdit1_->textCursor().hasSelection())
            richEdit1_->copy();
        else
            CopierWP(*this);
        break;
    case Cmd::EditPaste: richEdit1_->paste(); break;
    default: break;
    }
}

bool TWPlot::SetRayon(int radius, bool adjust)
{
    if (!model_.SetRayon(radius, app_.images())) {
        app_.prompts().warning("Canvas size too large, select a smaller value");
        return false;
    }
    view_->refresh();
    if (adjust)
        AjusterTaille(true);
    Redessiner();
    showDiameter();
    return true;
}

void TWPlot::Redessiner()
{
    if (!model_.image())
        return;
    DrawContext ctx = ScreenContext(model_, app_.settings());
    ctx.CnvsCourant.setFont({app_.settings().FontName, 13, false, false, clBlack});
    const std::string count = ploq::Redessiner(model_, ctx);
    // Diagrams write their scale in Label1, plotted canvases their count.
    if (IsPlotKind(model_.natWP) || CanvasPainters::Registered().label[model_.natWP]) {
        label1_->setText(toQString(count));
        label1_->setVisible(!count.empty());
        label1_->adjustSize();
        layoutChildren();
    }
    view_->update();
    emit redrawn();
}

void TWPlot::showImage()
{
    view_->update();
}

void TWPlot::NettoyerWP()
{
    model_.EffacerWP();
    Redessiner();
}

void TWPlot::drawNow(const std::function<void(const DrawContext&)>& draw)
{
    if (!model_.image())
        return;
    draw(ScreenContext(model_, app_.settings()));
    view_->update();
}

void TWPlot::AjusterTaille(bool voirTout)
{
    const bool shown = app_.settings().OptWP != 0;
    const CanvasLayout l = ploq::AjusterTaille(model_.imageSize(), {width(), height()}, shown, voirTout);
    setMaximumWidth(l.maxWidth);
    if (voirTout)
        resize(l.windowWidth, l.windowHeight);
    layoutChildren();
}

void TWPlot::layoutChildren()
{
    const bool shown = app_.settings().OptWP != 0;
    const CanvasLayout l = ploq::AjusterTaille(model_.imageSize(), {width(), height()}, shown, false);
    imagePanel_->setGeometry(0, 0, width(), l.imageAreaHeight);
    scroll_->setGeometry(0, 0, width(), l.imageAreaHeight);
    toolBar_->setGeometry(0, l.toolBarTop, width(), l.toolBarHeight);
    toolBar_->setVisible(shown);
    richEdit1_->setGeometry(0, l.infoTop, width(), l.infoHeight);
    richEdit1_->setVisible(l.infoHeight > 0);
    deplier_->move(0, l.toolBarTop - deplier_->height());
    deplier_->setVisible(!shown);
    label1_->adjustSize();
    // A diagram's label goes to the left, clear of the rose.
    if (model_.natWP == kWPStats2D)
        label1_->move(8, 4);
    else
        label1_->move(width() - label1_->width() - 10 - 14, 4);
    label3_->adjustSize();
    label3_->move(width() - label3_->width() - 10 - 14, l.imageAreaHeight - label3_->height() - 6);
    label2_->move(7, 30);
    progressBar1_->setGeometry(60, 6, std::max(40, width() - 200), 12);
}

void TWPlot::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void TWPlot::setFolded(bool folded)
{
    app_.settings().OptWP = folded ? 0 : 1;
    AjusterTaille(false);
}

void TWPlot::SetControls()
{
    button1_->move(7, 4);
    const bool diagram = model_.natWP == kWPStats2D || model_.natWP == kWPCircularPlot;
    if (!diagram) {
        const bool wulff = TestBit(model_.lStyleCnvs, kStyleWulff);
        const bool lower = TestBit(model_.lStyleCnvs, kStyleLowerHemisphere);
        label3_->setText(QString::fromLatin1(wulff ? " W/" : " S/") + (lower ? "inf " : "sup "));
        label3_->setVisible(true);
    }
    if (model_.natWP == kWPStats3D || model_.natWP == kWPTrackdip) {
        label3_->hide();
        label2_->hide();
    }
    // An empty diagram has no label; a test diagram's i1 is the kind of its values, 0 for axes.
    if (model_.natWP == kWPContouring
        || (model_.natWP == kWPStats2D && model_.i1 == 0 && model_.lT2D.empty()))
        label1_->hide();
    layoutChildren();
}

void TWPlot::MajMenuStyle()
{
    const auto item = [this](int i) { return styleItems_[static_cast<std::size_t>(i)]; };
    item(kItemNet)->setText(TestBit(model_.lStyleCnvs, kStyleWulff) ? "Schmidt net" : "Wulff net");
    item(kItemHemisphere)->setText(TestBit(model_.lStyleCnvs, kStyleLowerHemisphere)
                                       ? "Upper hemisphere"
                                       : "Lower hemisphere");
    const bool poles = TestBit(model_.lStylePlot, kInfDrawPole);
    const bool traces = TestBit(model_.lStylePlot, kInfDrawTrace);
    item(kItemPoles)->setChecked(poles && !traces);
    item(kItemTraces)->setChecked(!poles);
    item(kItemPolesAndTraces)->setChecked(poles && traces);
    item(kItemGraduations)->setChecked(TestBit(model_.lStyleCnvs, 2));
    item(kItemCentre)->setChecked(TestBit(model_.lStyleCnvs, 1));
    item(kItemDiameters)->setChecked(TestBit(model_.lStyleCnvs, 3));
    indexedItem_->setChecked(TestBit(model_.lStyleCnvs, kStyleIndexedGrid));
}

void TWPlot::DoPUMenuGrille(int item)
{
    CanvasModel& m = model_;
    switch (item) {
    case kGridItemIndexed:
        SetBit(m.lStyleCnvs, kStyleIndexedGrid, !TestBit(m.lStyleCnvs, kStyleIndexedGrid));
        app_.settings().StyleCnvs = m.lStyleCnvs;
        MajMenuStyle();
        emit app_.menusChanged();
        if (m.natGrille >= kGridStandard)
            NettoyerWP();
        return;
    case kGridItemAxedClicked:
        m.natGrille = kGridAxed;
        SignalClic(true);
        m.butPosXY = kModeGridAxis;
        button1_->setText(QStringLiteral("OK"));
        button1_->show();
        return;
    case kGridItemAxedGiven: {
        const VarGlob& s = app_.settings();
        const Notation notation{s.FrtS, s.FrtL};
        const std::optional<std::string> answer = app_.prompts().askText(
            {"Grid position ", "Orientation of the axis of the grid ?",
             GridAxisDefaultText(notation), besideCanvas(*this, 300)});
        if (!answer)
            return;
        const CanvasGrid grid = GridFromAxisText(*answer, notation);
        m.natGrille = grid.natGrille;
        m.ar4 = grid.ar4;
        m.ar5 = grid.ar5;
        break;
    }
    default: m.natGrille = item; break;
    }
    NettoyerWP();
}

void TWPlot::DoPUMenuStyleCnvs(int position)
{
    CanvasModel& m = model_;
    const bool ordinaryFamily = m.natWP == kWPOrdinary || m.natWP == kWPRotated
                                || m.natWP == kWPCodes || m.natWP == kWPStriaeRakes;
    const auto toggle = [&m](int bit) { SetBit(m.lStyleCnvs, bit, !TestBit(m.lStyleCnvs, bit)); };
    const auto restyle = [&m, ordinaryFamily](std::int32_t plotStyle) {
        m.lStylePlot = plotStyle;
        if (ordinaryFamily)
            for (int i = 1; i <= m.lNT; ++i) {
                InfoVal& v = m.lVal[static_cast<std::size_t>(i)];
                v.inf = RestyledInf(v.inf, plotStyle);
            }
    };
    switch (position) {
    case kItemNet:
    case kItemHemisphere:
        toggle(position == kItemNet ? kStyleWulff : kStyleLowerHemisphere);
        m.rChanged = m.rChanged || ordinaryFamily;
        break;
    case kItemPoles: restyle(1 << kInfDrawPole); break;
    case kItemTraces: restyle(1 << kInfDrawTrace); break;
    case kItemPolesAndTraces: restyle(1 << kInfDrawPole | 1 << kInfDrawTrace); break;
    case kItemGraduations: toggle(2); break;
    case kItemCentre: toggle(1); break;
    case kItemDiameters: toggle(3); break;
    case kItemEraseGrid: m.natGrille = -1; break;
    case kItemListValues: ListPlottedValues(*this); break;
    case kItemClean:
    default: break;
    }
    app_.settings().StyleCnvs = m.lStyleCnvs;
    app_.settings().StylePlot = m.lStylePlot;
    MajMenuStyle();
    emit app_.menusChanged();
    NettoyerWP();
    SetControls();
}

void TWPlot::SignalClic(bool on)
{
    model_.AttenteClic = on;
    if (Image* image = model_.image()) {
        FillCornerTriangle(image->surface(), 12, on ? clLime : clWhite);
        view_->update();
    }
    button1_->move(7, 8);
}

void TWPlot::Button1MouseUp(bool shift)
{
    CanvasModel& m = model_;
    switch (m.natWP) {
    case kWPCounting:
        m.butPosXY = kModeNone;
        button1_->hide();
        label2_->hide();
        m.AttenteClic = false;
        NettoyerWP(); // without the waiting mark and the node marked last
        return;
    case kWPOrdinary:
        if (m.butPosXY == kModeCleanAfter) {
            NettoyerWP();
        } else {
            const auto it = ClickModes().find(m.butPosXY);
            if (it != ClickModes().end() && it->second.end)
                it->second.end(*this, shift);
        }
        button1_->hide();
        m.butPosXY = kModeNone;
        m.lCtrlOn = m.lMajOn = false;
        SignalClic(false);
        return;
    default:
        // The rotated and fault canvases give their button their own meaning.
        if (const auto it = KindButtons().find(m.natWP); it != KindButtons().end())
            it->second(*this, shift);
        return;
    }
}

void TWPlot::imageMouse(int phase, const CanvasMouse& mouse)
{
    if (phase == 3 && model_.butPosXY == kModeNone) {
        // A double click shows the canvas's symbols as a legend.
        const QPoint at = frameGeometry().topLeft() + QPoint(-24, 23);
        if (TSymbBatch* legend = AfficherBatch(app_, kBatchCanvasLegend, at, model_.lsy, title_))
            legend->setCanvas(this);
        return;
    }
    const auto it = ClickModes().find(model_.butPosXY);
    if (it == ClickModes().end())
        return;
    const ClickMode& mode = it->second;
    const auto& handler = phase == 0 ? mode.down : phase == 1 ? mode.move : mode.up;
    if (handler && phase != 3)
        handler(*this, mouse);
}

void TWPlot::SetDiamClick()
{
    const std::string text = fromQString(edit1_->text());
    if (text.empty()) {
        app_.prompts().information("Give the canvas diameter (in mm)");
        return;
    }
    const int radius = RadiusForDiameter(std::atof(text.c_str()), app_.settings().PixMM);
    if (radius < kMinRadius) {
        app_.prompts().warning(sformat("The canvas diameter must be at least %d mm",
                                       DiameterShown(kMinRadius, app_.settings().PixMM)));
        showDiameter();
        return;
    }
    SetRayon(radius, true);
}

void TWPlot::SpeedButton1Click()
{
    SetRayon(RoundHalfEven(model_.lRc * 1.1), true);
}

void TWPlot::SpeedButton2Click()
{
    const int radius = RoundHalfEven(model_.lRc / 1.1);
    if (radius < kMinRadius)
        return;
    SetRayon(radius, true);
}

void TWPlot::showDiameter()
{
    edit1_->setText(QString::number(DiameterShown(model_.lRc, app_.settings().PixMM)));
}

void TWPlot::appendInfo(const std::string& line, bool bold, TColor colour)
{
    AppendInfoLine(*richEdit1_, line, bold, colour);
}

bool TWPlot::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        app_.activateWindow(*this);
        MajMenuStyle();
        SetControls();
    }
    // A key let go in another window (the dialog a Ctrl shortcut opened) is let go here too.
    if (e->type() == QEvent::WindowDeactivate) {
        if (model_.lCtrlOn)
            modifierKey(true, false);
        if (model_.lMajOn)
            modifierKey(false, false);
    }
    return QWidget::event(e);
}

void TWPlot::modifierKey(bool ctrl, bool down)
{
    Image* image = model_.image();
    if (!image)
        return;
    Surface& s = image->surface();
    if (ctrl) {
        model_.lCtrlOn = down;
        FillCornerTriangle(s, 10, down ? clRed : clWhite);
    } else {
        model_.lMajOn = down;
        if (down)
            FillCornerTriangle(s, 10, rgb(0, 128, 0));
        else
            FillCornerTriangle(s, 12, model_.AttenteClic ? clLime : clWhite);
    }
    view_->update();
}

bool TWPlot::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == richEdit1_ && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut))
        emit app_.menusChanged();
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (!key->isAutoRepeat() && (key->key() == Qt::Key_Control || key->key() == Qt::Key_Shift))
            modifierKey(key->key() == Qt::Key_Control, e->type() == QEvent::KeyPress);
    }
    return QWidget::eventFilter(watched, e);
}

void TWPlot::closeEvent(QCloseEvent* event)
{
    app_.settings().Rc = model_.lRc;
    // Its legend means nothing without it.
    if (auto* legend = qobject_cast<TSymbBatch*>(app_.dialog(kWinSymbBatch));
        legend && legend->canvas() == this)
        legend->close();
    if (QWidget* contouring = app_.dialog(kDlgContDD); contouring && model_.natWP == kWPDihedra)
        contouring->close();
    app_.removeWindow(*this);
    if (!ActiveCanvas(app_))
        for (int tag : {kDlgRotate, kDlgDisplayAdd, kDlgChangeSy})
            if (QWidget* d = app_.dialog(tag))
                d->close();
    event->accept();
}

Point BesideCanvas(const QWidget& canvas, int width, int kind)
{
    return besideCanvas(canvas, width, kind);
}

TWPlot* ActiveCanvas(Application& app)
{
    return dynamic_cast<TWPlot*>(app.registry().current(WindowKind::Canvas));
}

TWPlot* NewWP(Application& app, int natWP, const std::string& source)
{
    WindowRegistry& registry = app.registry();
    if (registry.count(WindowKind::Canvas) >= kMaxWindows) {
        app.prompts().information("Maximum number of canvas reached...");
        return nullptr;
    }
    auto* plot = new TWPlot(app, natWP);
    if (!app.addWindow(*plot)) {
        delete plot;
        app.prompts().error("Error : unsuccesfull canvas creation");
        return nullptr;
    }
    int sameKind = 0;
    for (DataWindow* w : registry.windows(WindowKind::Canvas))
        if (auto* p = dynamic_cast<TWPlot*>(w); p && p->model().natWP == natWP)
            ++sameKind;
    plot->setTitle(CanvasTitle(natWP, sameKind, plot->slot(), source));
    if (natWP == kWPRotated)
        plot->Button1()->setText("fix");
    if (natWP == kWPPTAxes || natWP == kWPDihedra)
        plot->Button1()->setText("faults");
    if (natWP == kWPRotated || natWP == kWPPTAxes || natWP == kWPDihedra)
        plot->Button1()->show();
    app.settings().OptWP = 1; // a new canvas unfolds its tool bar
    int radius = std::max(app.settings().Rc, kMinRadius);
    if (!plot->SetRayon(radius, true)) {
        plot->close();
        app.prompts().error("Error : unsuccesfull canvas creation");
        return nullptr;
    }
    if (QWidget* main = app.mainWindow()) {
        const QRect m = main->frameGeometry();
        const int k = plot->slot();
        MoveOnScreen(*plot, {m.left() + m.width() - plot->frameGeometry().width() - 20 * (k - 1),
                             m.top() + 73 + 15 * (k - 1)});
    }
    registry.activate(*plot);
    plot->MajMenuStyle();
    plot->SetControls();
    plot->show();
    emit app.menusChanged();
    return plot;
}

void InstallCanvasCommands(TForm1& form, Application& app)
{
    ClickModes()[kModeGridAxis] = {gridAxisClick, {}, {}, {}};
    const auto onCanvas = [&app](std::function<void(TWPlot&)> action) {
        return [&app, action] {
            TWPlot* plot = ActiveCanvas(app);
            if (!plot)
                plot = NewWP(app, kWPOrdinary);
            if (!plot)
                return;
            plot->raise();
            action(*plot);
        };
    };
    const std::pair<Cmd, int> grids[] = {
        {Cmd::NetStandard, TWPlot::kGridItemStandard}, {Cmd::NetPolar, TWPlot::kGridItemPolar},
        {Cmd::NetAxedClicked, TWPlot::kGridItemAxedClicked},
        {Cmd::NetAxedGiven, TWPlot::kGridItemAxedGiven}, {Cmd::NetIndexed, TWPlot::kGridItemIndexed}};
    for (const auto& grid : grids) {
        const int item = grid.second;
        form.setHandler(grid.first, onCanvas([item](TWPlot& p) { p.DoPUMenuGrille(item); }));
    }
    QAction* indexed = form.action(Cmd::NetIndexed);
    indexed->setCheckable(true);
    QObject::connect(&app, &Application::menusChanged, indexed, [&app, indexed] {
        const TWPlot* plot = ActiveCanvas(app);
        indexed->setChecked(TestBit(plot ? plot->model().lStyleCnvs : app.settings().StyleCnvs,
                                    kStyleIndexedGrid));
    });
    form.setHandler(Cmd::PlotEraseNet, onCanvas([](TWPlot& p) {
        p.model().natGrille = kGridNone;
        p.NettoyerWP();
    }));
    form.setHandler(Cmd::PlotClean, [&app] {
        if (TWPlot* plot = ActiveCanvas(app)) {
            plot->raise();
            plot->NettoyerWP();
        }
    });
}

} // namespace ploq
