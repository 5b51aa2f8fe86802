#include "model/DlgValLine.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "app/ScreenPlace.h"
#include "canvas/Dessin.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "platform/Prompts.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "transform/QtClickImage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QTransform>
#include <QVBoxLayout>

namespace ploq {

namespace {

constexpr Size kNetSize{200, 200};
constexpr int kStripCell = 12; // the strip's cells, as a click reads them
constexpr Size kGridIconSize{44, 40};
constexpr double kDegrees = kDegToRad;

const char* const kHelpText =
    "Type two planes, two lines, or a plane and a line in the notations named above, tell for "
    "each box whether it holds a plane (S) or a line (L), and press go.\n"
    "- Two planes: their intersection, their angle and the pitch of the intersection in each.\n"
    "- Two lines: the plane through them and their angle.\n"
    "- A plane and a line: the angle between them, and the pitch of a line within 3\xB0 of the "
    "plane.\n"
    "Beside a plane, a line may be known in part. In the strike quadrant plunge notation: "
    "122 the line of the plane in the vertical section of trend 122; 34N or N34 the line of "
    "pitch 34 from the north end of the strike; ?25 the two lines of plunge 25, and ?N25 (or "
    "?S25, ?E25, ?W25) the one nearer north. In the slash notations: N34 a pitch, */25 a "
    "plunge, 122 a trend.\n"
    "Results are written with the decimals asked for and drawn in the colour chosen on the "
    "strip; \"Show grid\" draws the net chosen by clicking its icon: 1 standard, 2 and 3 "
    "turned to the strike of the first or second plane, 4 centred on the result line, 5 polar.";

QString message(ValLineMsg id)
{
    return toQString(kValLineMessages[id]);
}

// The strip of dialogs, standing: the cell of colour i from y = 3 + 12 i.
QImage standingStrip(const Tcouleur& tco, int current)
{
    return BandeCouleursImage(tco, kStripCell, current).transformed(QTransform().rotate(90));
}

// The grids drawn 30 degrees apart, which an icon can show: 1 standard, 2 and 3 turned,
// 4 axed on a plunging line, 5 polar.
void drawIconGrid(const DrawContext& ctx, int grid)
{
    constexpr double step = 30 * kDegrees;
    constexpr double half = 90 * kDegrees;
    const auto standard = [&](double rot) {
        for (int k = 1; k <= 5; ++k)
            TracePC(ctx, k * step, 0, rot);
        TraceGC(ctx, 0, rot + half); // the diameter along the axis
        for (int k = 1; k <= 2; ++k) {
            TraceGC(ctx, k * step, rot + half);
            TraceGC(ctx, k * step, NormalizeTrend(rot - half));
        }
    };
    switch (grid) {
    case 1: standard(0); return;
    case 2: standard(30 * kDegrees); return;
    case 3: standard(120 * kDegrees); return;
    case 4: {
        const Direction axis{240 * kDegrees, 45 * kDegrees};
        const double v = axis.trend + half;
        for (int k = 1; k <= 5; ++k) {
            const Direction pole = RotateDir(-axis.plunge, {v, 0}, {v, k * step});
            TraceGC(ctx, pole.plunge, pole.trend);
        }
        for (int k = 1; k <= 3; ++k)
            TracePC2(ctx, k * step, axis.plunge, axis.trend);
        return;
    }
    default:
        for (int k = 1; k <= 2; ++k)
            TracePC(ctx, k * step, half, 0);
        for (int k = 0; k < 6; ++k)
            TraceGC(ctx, 0, k * step);
        return;
    }
}

// The icon of "Show grid": the grid chosen on a small net, with its number.
QImage gridIconImage(const VarGlob& settings, int grid)
{
    QImage image = DrawnImage(kGridIconSize, [&](Surface& surface) {
        const Net net{kGridIconSize.width - 20, kGridIconSize.height / 2, 17, true, true};
        const DrawContext ctx{surface, net, 0, 0, settings};
        surface.setPen({CouleurDe(settings.Tco, 13), 1});
        surface.setBrush({clWhite, BrushStyle::Clear});
        drawIconGrid(ctx, grid);
        TraceCanevas(ctx);
    });
    {
        QPainter p(&image);
        QFont font = p.font();
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(1, 1, 8, 12), Qt::AlignCenter, QString::number(grid));
    }
    return image;
}

QRadioButton* kindButton(const QString& caption, QButtonGroup* group, bool checked)
{
    auto* b = new QRadioButton(caption);
    b->setChecked(checked);
    group->addButton(b);
    return b;
}

} // namespace

TDlgValLine::TDlgValLine(Application& app, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Line or plane value"));
    setProperty("helpTopic", kHelpValLine);
    view_.colour = std::clamp(app_.settings().Couleur, 0, kUserColourCount - 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addLayout(buildDataPart());
    layout->addLayout(buildOptionsPart());
    layout->addLayout(buildResultsPart());
    helpButton_ = new QPushButton(message(kVlShowHelp));
    connect(helpButton_, &QPushButton::clicked, this, &TDlgValLine::ToggleHelp);
    help_ = new QLabel(toQString(kHelpText));
    help_->setWordWrap(true);
    help_->setVisible(false);
    layout->addWidget(helpButton_, 0, Qt::AlignLeft);
    layout->addWidget(help_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showColour();
    showGridIcon();
    FormActivate();
}

QLayout* TDlgValLine::buildDataPart()
{
    const VarGlob& s = app_.settings();
    planeLabel_ = new QLabel;
    lineLabel_ = new QLabel;
    data1_ = new QLineEdit(
        toQString(DirToText(false, true, 10 * kDegrees, 50 * kDegrees, {s.FrtS, s.FrtL})));
    data2_ = new QLineEdit;
    for (QLineEdit* box : {data1_, data2_}) {
        box->setMinimumWidth(150);
        connect(box, &QLineEdit::returnPressed, this, &TDlgValLine::Go);
    }
    auto* kinds1 = new QButtonGroup(this);
    auto* kinds2 = new QButtonGroup(this);
    plane1_ = kindButton(tr("S1"), kinds1, true);
    line1_ = kindButton(tr("L1"), kinds1, false);
    plane2_ = kindButton(tr("S2"), kinds2, false);
    line2_ = kindButton(tr("L2"), kinds2, true);

    go_ = new QPushButton(tr("go"));
    go_->setDefault(true);
    connect(go_, &QPushButton::clicked, this, &TDlgValLine::Go);

    auto* data = new QGridLayout;
    data->addWidget(planeLabel_, 0, 0, 1, 4);
    data->addWidget(lineLabel_, 1, 0, 1, 4);
    data->addWidget(new QLabel(tr("Data 1")), 2, 0);
    data->addWidget(data1_, 2, 1);
    data->addWidget(plane1_, 2, 2);
    data->addWidget(line1_, 2, 3);
    data->addWidget(new QLabel(tr("Data 2")), 3, 0);
    data->addWidget(data2_, 3, 1);
    data->addWidget(plane2_, 3, 2);
    data->addWidget(line2_, 3, 3);
    data->addWidget(go_, 2, 4, 2, 1);
    data->setColumnStretch(1, 1);
    return data;
}

QLayout* TDlgValLine::buildOptionsPart()
{
    decimals_ = new QCheckBox(tr("decimal results"));
    decimals_->setChecked(app_.settings().ShowDeci);
    showGrid_ = new QCheckBox(tr("Show grid"));
    poles_ = new QCheckBox(tr("Pole(s) S1/S2"));
    connect(showGrid_, &QCheckBox::toggled, this, &TDlgValLine::redraw);
    connect(poles_, &QCheckBox::toggled, this, &TDlgValLine::redraw);
    gridIcon_ = new ClickImage;
    gridIcon_->setToolTip(tr("Grid: click for the next one"));
    gridIcon_->onReleased([this](int, int) { GridIconClick(); });
    erase_ = new QPushButton(tr("erase"));
    reset_ = new QPushButton(tr("reset"));
    connect(erase_, &QPushButton::clicked, this, &TDlgValLine::Erase);
    connect(reset_, &QPushButton::clicked, this, &TDlgValLine::Reset);
    auto* options = new QHBoxLayout;
    options->addWidget(decimals_);
    options->addSpacing(8);
    options->addWidget(showGrid_);
    options->addWidget(Framed(gridIcon_));
    options->addSpacing(8);
    options->addWidget(poles_);
    options->addStretch(1);
    options->addWidget(erase_);
    options->addWidget(reset_);
    return options;
}

QLayout* TDlgValLine::buildResultsPart()
{
    report_ = new QTextEdit;
    report_->setReadOnly(true);
    report_->setMinimumWidth(300);
    strip_ = new ClickImage;
    strip_->setToolTip(tr("Colour of the results"));
    strip_->onReleased([this](int, int y) { StripReleased(y); });
    netLabel_ = new QLabel;
    netLabel_->setFixedSize(kNetSize.width, kNetSize.height);
    projection_ = new QLabel;
    auto* netColumn = new QVBoxLayout;
    netColumn->addWidget(Framed(netLabel_));
    netColumn->addWidget(projection_);
    netColumn->addStretch(1);
    auto* results = new QHBoxLayout;
    results->addWidget(report_, 1);
    results->addWidget(Framed(strip_), 0, Qt::AlignTop);
    results->addLayout(netColumn);
    return results;
}

TDlgValLine::~TDlgValLine() = default;

std::int32_t TDlgValLine::styleCnvs() const
{
    const TWPlot* canvas = ActiveCanvas(app_);
    return canvas ? canvas->model().lStyleCnvs : app_.settings().StyleCnvs;
}

void TDlgValLine::FormActivate()
{
    const VarGlob& s = app_.settings();
    planeLabel_->setText(toQString(ValLinePlaneLabel(s.FrtS)));
    lineLabel_->setText(toQString(ValLineLineLabel(s.FrtL)));
    projection_->setText(toQString(ValLineProjection(styleCnvs())));
    app_.activateDialog(kDlgValLine);
    redraw();
}

void TDlgValLine::Go()
{
    VarGlob& s = app_.settings();
    s.ShowDeci = decimals_->isChecked();
    SetBit(s.OptVal, kOptValShowDeci, s.ShowDeci);
    const ValLineQuery query{fromQString(data1_->text()),
                             fromQString(data2_->text()),
                             plane1_->isChecked(),
                             plane2_->isChecked(),
                             {s.FrtS, s.FrtL},
                             s.ShowDeci};
    const ValLineResult r = ComputeValLine(query);
    if (r.status == ValLineStatus::Nothing)
        return;
    if (r.status == ValLineStatus::Refused) {
        std::optional<Point> at;
        if (const TWFichier* sheet = CurrentSheet(app_))
            at = sheet->messagePlace();
        app_.prompts().error(r.refusal.message, Button::Cancel, at);
        return;
    }
    data1_->setText(toQString(r.text1));
    data2_->setText(toQString(r.text2));
    for (const std::string& line : r.lines)
        AppendInfoLine(*report_, line);
    result_ = r;
    redraw();
}

void TDlgValLine::Erase()
{
    result_.mode = ValLineMode::None;
    redraw();
}

void TDlgValLine::Reset()
{
    Erase();
    report_->clear();
    data1_->clear();
    data2_->clear();
}

void TDlgValLine::ToggleHelp()
{
    const bool show = !help_->isVisible();
    help_->setVisible(show);
    helpButton_->setText(message(show ? kVlHideHelp : kVlShowHelp));
}

void TDlgValLine::GridIconClick()
{
    view_.grid = NextValLineGrid(view_.grid);
    showGridIcon();
    if (showGrid_->isChecked())
        redraw();
}

void TDlgValLine::StripReleased(int y)
{
    view_.colour = CouleurCliquee(y, kStripCell);
    app_.settings().Couleur = view_.colour;
    showColour();
    redraw();
}

void TDlgValLine::showColour()
{
    strip_->setPicture(standingStrip(app_.settings().Tco, view_.colour));
}

void TDlgValLine::showGridIcon()
{
    gridIcon_->setPicture(gridIconImage(app_.settings(), view_.grid));
}

void TDlgValLine::redraw()
{
    view_.showGrid = showGrid_->isChecked();
    view_.showPoles = poles_->isChecked();
    net_ = app_.images().createImage(kNetSize);
    if (!net_)
        return;
    const DrawContext ctx = ValLineContext(net_->surface(), kNetSize, styleCnvs(), app_.settings());
    DessinerValLine(ctx, kNetSize, result_, view_);
    if (auto* image = dynamic_cast<QtImage*>(net_.get()))
        netLabel_->setPixmap(QPixmap::fromImage(image->image()));
}

bool TDlgValLine::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TDlgValLine::closeEvent(QCloseEvent* e)
{
    app_.dialogClosed(kDlgValLine);
    QWidget::closeEvent(e);
}

TDlgValLine* OpenValLine(TForm1& form, Application& app)
{
    auto* dialog = qobject_cast<TDlgValLine*>(app.dialog(kDlgValLine));
    if (!dialog) {
        dialog = new TDlgValLine(app, &form);
        app.setDialog(kDlgValLine, dialog);
        // Placed once shown, when its frame is known.
        dialog->show();
        Placement p;
        p.kind = 0;
        p.mainWindow = ScreenRectOf(form);
        p.mainClientTop = form.mapToGlobal(QPoint(0, form.menuBar()->height())).y();
        p.toolbarShown = TestBit(app.settings().StyleGene, kGeneToolBar);
        p.current = {dialog->frameGeometry().left(), dialog->frameGeometry().top()};
        const Point at = PlaceDialog(p);
        dialog->move(at.x, at.y);
    }
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    dialog->FormActivate();
    return dialog;
}

void InstallValLineCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::FileLineOrPlane, [&form, &app] { OpenValLine(form, app); });
}

} // namespace ploq
