#include "stats3d/TrackdipCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "model/TypesGlob.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats3d/TrackdipDraw.h"
#include "stats3d/UtilTrackDip.h"

#include <QFont>
#include <QTextEdit>

namespace ploq {

namespace {

constexpr int kTextWidth = 500;
constexpr int kTableLeft = 230;
constexpr int kSegmentsLeft = 250;

// A text window of fixed-pitch lines at a given left edge, 500 pixels wide.
TWText* listingWindow(Application& app, const std::string& title,
                      const std::vector<std::string>& lines, int left)
{
    TWText* w = NewTextWindow(app, 0, title);
    if (!w)
        return nullptr;
    // Laid out once: a window without word wrap widens its page at each line appended.
    for (const std::string& line : lines)
        w->appendLine(line);
    QFont font(QStringLiteral("Courier"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    w->RichEdit1()->setFont(font);
    w->setWordWrap(false);
    w->setDirty(false);
    w->resize(kTextWidth, w->height());
    w->move(left, w->y());
    w->show();
    return w;
}

// Mode 117: the element clicked becomes a summit.
void summitClick(TWPlot& plot, const CanvasMouse& mouse)
{
    CanvasModel& m = plot.model();
    if (const std::optional<std::size_t> k = TrackdipElementAt(m, {mouse.x, mouse.y})) {
        m.liTD[*k].ix = 1;
        plot.NettoyerWP();
    }
}

TWPlot* trackdipCanvas(Application& app, const TrackdipResult& result, const std::string& caption)
{
    TWPlot* plot = NewWP(app, kWPTrackdip, caption);
    if (!plot)
        return nullptr;
    // The mark of the maxima, read by the display from the settings at each redraw.
    QObject::connect(plot, &TWPlot::redrawn, plot, [&app] { app.settings().TDopt = kTDMaxMark; });
    CanvasModel& m = plot->model();
    KeepTrackdip(m, result);
    for (const InfoLine& line : TrackdipCanvasReport(
             caption, TrackdipParams::FromSettings(app.settings()), app.clock().now()))
        plot->appendInfo(line.text, line.bold);
    m.butPosXY = kModeTrackdipSummit;
    plot->NettoyerWP();
    return plot;
}

} // namespace

TWPlot* Trackdip(Application& app)
{
    TWFichier* sheetWindow = CurrentSheet(app);
    if (!sheetWindow)
        return nullptr;
    const TrackdipRowsRead read = ReadTrackdipRows(sheetWindow->sheet());
    if (!read.error.empty()) {
        app.prompts().error(read.error);
        return nullptr;
    }
    VarGlob& s = app.settings();
    const Notation notation{s.FrtS, s.FrtL};
    const TrackdipResult result = RunTrackdip(read.rows, TrackdipParams::FromSettings(s), notation);
    const std::string caption = sheetWindow->title();

    if (!listingWindow(app, TrackdipTitle(caption), result.table, kTableLeft))
        return nullptr;
    if (auto* form = dynamic_cast<TForm1*>(app.mainWindow()))
        for (const std::string& line : result.panel)
            form->appendInfo(line);
    if (!listingWindow(app, SegmentsTitle(caption), result.segments, kSegmentsLeft))
        return nullptr;
    TWPlot* plot = trackdipCanvas(app, result, caption);
    if (plot && TestBit(s.OptS3Dadd, kS3DaddListRotAxes)) {
        DataSheet axes = RotationAxesSheet(result, notation);
        axes.lTitle = " rotation axis" + plot->title();
        NewSheet(app, app.mainWindow(), std::move(axes));
    }
    emit app.menusChanged();
    return plot;
}

TrackdipMenu::TrackdipMenu(TWPlot& plot) : QMenu(&plot), plot_(plot)
{
    const char* captions[kItemCount] = {"Show polygones summits",
                                        "Show maximum",
                                        nullptr,
                                        "Max display =>  all maxima",
                                        "Click on summit => Trackdip symbol",
                                        "Max symbol => Trackdip symbol",
                                        nullptr,
                                        "T bar length as sq. root of rotation angle",
                                        "Symb size follows window size",
                                        nullptr,
                                        "Reset"};
    for (int i = 0; i < kItemCount; ++i) {
        if (!captions[i]) {
            items_[static_cast<std::size_t>(i)] = addSeparator();
            continue;
        }
        QAction* a = addAction(QString::fromLatin1(captions[i]));
        a->setCheckable(i >= kItemAllMaxima && i != kItemReset);
        connect(a, &QAction::triggered, this, [this, i] { DoPUMenuTD(i); });
        items_[static_cast<std::size_t>(i)] = a;
    }
}

namespace {

// The bits set by the check marks of the menu, by item.
int checkedBit(int item)
{
    switch (item) {
    case TrackdipMenu::kItemAllMaxima: return kTDAllMaxima;
    case TrackdipMenu::kItemClickSymbol: return kTDClickSymbol;
    case TrackdipMenu::kItemMaxSymbol: return kTDMaxSymbol;
    case TrackdipMenu::kItemSqrtTail: return kTDSqrtTail;
    case TrackdipMenu::kItemSizeFollows: return kTDSizeFollows;
    default: return -1;
    }
}

} // namespace

void TrackdipMenu::setMaximumCaption()
{
    const std::int32_t bits = plot_.model().lOptS3Dadd;
    const bool all = TestBit(bits, kTDAllMaxima);
    const char* verb = TestBit(bits, kTDMaximum) ? "Hide " : "Show ";
    item(kItemMaximum)->setText(QString::fromLatin1(verb) + (all ? "maxima" : "maximum"));
}

void TrackdipMenu::sync()
{
    const std::int32_t bits = plot_.model().lOptS3Dadd;
    if (TestBit(bits, kTDSummits))
        item(kItemSummits)->setText(QStringLiteral("Hide polygons summits"));
    else if (item(kItemSummits)->text().startsWith(QStringLiteral("Hide")))
        item(kItemSummits)->setText(QStringLiteral("Show polygons summits"));
    setMaximumCaption();
    for (int i :
         {kItemAllMaxima, kItemClickSymbol, kItemMaxSymbol, kItemSqrtTail, kItemSizeFollows})
        item(i)->setChecked(TestBit(bits, checkedBit(i)));
}

void TrackdipMenu::DoPUMenuTD(int position)
{
    CanvasModel& m = plot_.model();
    std::int32_t& bits = m.lOptS3Dadd;
    switch (position) {
    case kItemSummits: {
        const bool now = !TestBit(bits, kTDSummits);
        SetBit(bits, kTDSummits, now);
        item(kItemSummits)
            ->setText(now ? QStringLiteral("Hide polygons summits")
                          : QStringLiteral("Show polygons summits"));
        break;
    }
    case kItemMaximum: SetBit(bits, kTDMaximum, !TestBit(bits, kTDMaximum)); break;
    case kItemReset:
        for (int bit : {kTDSummits, kTDMaximum, kTDAllMaxima})
            SetBit(bits, bit, false);
        item(kItemSummits)->setText(QStringLiteral("Show polygons summits"));
        item(kItemAllMaxima)->setChecked(false);
        for (int k = 0; k < m.i0 && k < static_cast<int>(m.liTD.size()); ++k)
            m.liTD[static_cast<std::size_t>(k)].ix = 0;
        break;
    default: {
        const int bit = checkedBit(position);
        if (bit < 0)
            return;
        // The triggered action has toggled its own check mark already; a call from elsewhere
        // toggles the bit.
        QAction* a = item(position);
        const bool now = !TestBit(bits, bit);
        a->setChecked(now);
        SetBit(bits, bit, now);
    }
    }
    setMaximumCaption();
    plot_.NettoyerWP();
    plot_.app().settings().OptS3Dadd = bits;
}

TrackdipMenu* TrackdipMenuOf(TWPlot& plot)
{
    auto* menu = plot.findChild<TrackdipMenu*>(QString(), Qt::FindDirectChildrenOnly);
    if (!menu)
        menu = new TrackdipMenu(plot);
    menu->sync();
    return menu;
}

void InstallTrackdipCommands(TForm1& form, Application& app)
{
    RegisterTrackdipDisplay(CanvasPainters::Registered());
    ClickModes()[kModeTrackdipSummit] = {summitClick, {}, {}, {}};
    KindMenus()[kWPTrackdip] = [](TWPlot& plot) -> QMenu* { return TrackdipMenuOf(plot); };
    form.setHandler(Cmd::Trackdip, [&app] { Trackdip(app); });
}

} // namespace ploq
