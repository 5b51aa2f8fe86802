#pragma once

// The canvas: one stereographic projection (or a diagram) on a square image of 2R + 30 pixels
// with the primitive circle centred, the records and results it shows, its style words and its
// click mode. This is the window-free part; the window (TWPlot) shows it.

#include "canvas/DrawContext.h"
#include "model/Trigo.h"
#include "model/TypesGlob.h"
#include "platform/Surface.h"
#include "stats3d/CircleAnalysisTypes.h"
#include "stats3d/ContourTypes.h"
#include "stats3d/InfoAdd.h"
#include "stats3d/InfoTD.h"
#include "stats3d/VkiRecords.h"
#include "stats2d/InfoStats2D.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ploq {

// Kinds of canvas (natWP).
enum NatWP : int {
    kWPOrdinary = 0,
    kWPRotated = 1,
    kWPCodes = 2,
    kWPCounting = 3,
    kWPContouring = 4,
    kWPTestContours = 5,
    kWPPTAxes = 6,
    kWPDihedra = 7,
    kWPStats3D = 8,
    kWPStats2D = 9,
    kWPCircularPlot = 10,
    kWPReserved = 11,
    kWPHangingWall = 12,
    kWPStriaeRakes = 13,
    kWPDihedraContours = 14,
    kWPTrackdip = 15,
};
constexpr int kWPKindCount = 16;

// Click modes (butPosXY) of the canvas itself; later features add theirs.
constexpr int kModeNone = 0;
constexpr int kModeCleanAfter = -7; // a finished result: the button reads "clean"

constexpr int kMarginPixels = 15;
constexpr int kMinRadius = 20;

// The last plotting or mouse action, for undo.
struct UndoPlotRecord {
    int v1 = 0;
    int v2 = 0;
    std::int8_t cas = 0;
    std::int8_t stade = 1;
    std::uint8_t bfit = 0;
    bool actif = false;
};

// Whether a kind holds measurement records (lVal).
bool HoldsRecords(int natWP);
// Whether a kind shows a stereonet: its grid and frame are drawn before its contents.
bool ShowsNet(int natWP);
// Whether records of a kind are plotted measurements that Save as..., copies and undo take.
bool IsPlotKind(int natWP);

// " Canvas 2", " Rotated canvas 1" ...: the title of a new canvas of a kind, `sameKind` being
// the number of open canvases of that kind, the new one included; `slot` for the test-contours
// kind; `source` the title of the canvas a counting, P-T or dihedra canvas was made from.
std::string CanvasTitle(int natWP, int sameKind, int slot, const std::string& source = {});

class CanvasModel {
public:
    CanvasModel(int natWP, const VarGlob& settings);

    // Image and projection geometry.
    Image* image() { return image_.get(); }
    Size imageSize() const { return image_ ? image_->size() : Size{}; }
    Net net() const { return Net::FromStyle(lXc, lYc, lRc, lStyleCnvs); }
    // Gives the canvas radius R: a new white image of 2R + 30 pixels. Refuses, changing
    // nothing, a radius below 20 pixels or an image that cannot be made.
    bool SetRayon(int radius, ImageFactory& images);
    // Paints the whole image white.
    void EffacerWP();

    // The direction under a pixel of the image, or none outside the primitive circle
    // (dx^2 + dy^2 > Rc^2 + tolerance, in integers).
    std::optional<Direction> DirAt(int x, int y, int tolerance = 0) const;

    // Records 1..lNT (entry 0 unused); present only for the kinds that hold records.
    std::vector<InfoVal> lVal;
    // Appends a record; false when the canvas holds 5000 already.
    bool AddRecord(const InfoVal& record);
    // The fault pairs a P-T canvas was made from (from index 0), kept beside its P and T
    // records for the overlays of its button: 2500 pairs give 5000 records of each.
    std::vector<InfoVal> lFaults;

    // Additional values lAdd[0..lNAdd-1] (stats3d/Stats3Dadd.h); 100 slots, all hidden, for the
    // kinds that own a list, none for the others.
    TAdd lAdd;
    int lNAdd = 0;

    int i0 = 0, i1 = 0, i2 = 0, i3 = 0, i4 = 0;
    std::vector<Point> lPts; // lasso and polygon points
    int lNP = 0;
    int lNC = 0; // records displayed
    int lNT = 0; // records held
    std::int32_t lOptS3Dadd = 0;
    std::int32_t lStylePlot = 0;
    std::int32_t lStyleCnvs = 0;
    std::vector<std::string> lsy; // legend entries "%d.%d.%s", sorted, no duplicates
    int lXc = 0, lYc = 0, lRc = 0;
    int ma = 0, mi = 0;
    // The value of every node of a counting or right dihedra canvas, and the crown number of
    // its grid: the canvas keeps its own, whatever the setting says later.
    std::vector<int> lVnod;
    int lNbCr = 0;
    bool lMajOn = false;
    bool lCtrlOn = false;
    int natGrille = -1;
    int natWP = kWPOrdinary;
    std::string lNomF;
    // The records of a bootstrap diagram (i1 38 or 39), read from lNomF when it was made; i2
    // holds the number of fits it ranks them among, i3 the failed tossings.
    VkiRecords lVKi;
    std::array<std::int32_t, 33> oldTsy{}; // symbol/colour selection, symbols -16..16
    bool rChanged = false;
    UndoPlotRecord lUndoPlot;
    int xo = 0, yo = 0, xd = 0, yd = 0;
    double ar1 = 0, ar2 = 0, ar3 = 0, ar4 = 0, ar5 = 0, ar6 = 0, ar7 = 0;
    int butPosXY = kModeNone;
    bool AttenteClic = false; // waiting for clicks: the mark is shown
    // The distributions of a 2D statistics diagram (i1 of them) and the values a test keeps;
    // present only for that kind.
    std::unique_ptr<TInfo2D> lTinfo2D;
    TrMM lT2D;
    // The elements of a Trackdip canvas, the end marks of its polygones included, and what
    // the analysis spanned.
    TrTD liTD;
    TrackdipExtent lTD;
    // The directions of a contour canvas (trend and plunge, 1-based, lNT of them) and its
    // levels and options.
    std::vector<double> lTaz;
    std::vector<double> lTpe;
    ParamContours tContour;
    // The chi2 grid of a best-circle analysis canvas and the fits it was made about.
    std::unique_ptr<CircleAnalysisData> lKi;

private:
    std::unique_ptr<Image> image_;
};

// What draws the parts of a canvas. Features register their part; a part nobody registered
// draws nothing, so a kind whose display is not built yet stays a blank net.
struct CanvasPainters {
    // The grid of natGrille, and the frame (primitive circle, north mark, options).
    std::function<void(CanvasModel&, DrawContext&)> grid;
    std::function<void(CanvasModel&, DrawContext&)> frame;
    // One displayed record, its pixel position already computed.
    std::function<void(CanvasModel&, DrawContext&, InfoVal&)> record;
    // The display of a kind that is not made of records.
    std::array<std::function<void(CanvasModel&, DrawContext&)>, kWPKindCount> display;
    // The additional values, drawn last.
    std::function<void(CanvasModel&, DrawContext&)> additional;
    // The text of Label1 for a kind that writes its own (a diagram's scale) instead of the
    // count of its records.
    std::array<std::function<std::string(const CanvasModel&)>, kWPKindCount> label;

    static CanvasPainters& Registered();
};

// Draws each present record with `draw(index, record)`, counting them into lNC and placing them
// at their projected pixel first when rChanged (then cleared): the walk every record kind shares.
template <typename Draw> void DrawPresentRecords(CanvasModel& canvas, const Net& net, Draw&& draw)
{
    canvas.lNC = 0;
    for (int i = 1; i <= canvas.lNT; ++i) {
        InfoVal& v = canvas.lVal[static_cast<std::size_t>(i)];
        if (!TestBit(v.inf, kInfPresent))
            continue;
        ++canvas.lNC;
        if (canvas.rChanged) {
            const Point p = DirToPixel({v.azi, v.pen}, net);
            v.p = p.x;
            v.q = p.y;
        }
        draw(i, v);
    }
    canvas.rChanged = false;
}

// Redraws the canvas into the context's surface without clearing: the grid and frame of a
// net, then its contents by kind, then its additional values. Records of the plot kinds are
// counted into lNC and re-projected first when rChanged. Returns the text of Label1: the one
// the kind writes, or "N = " and the count before this redraw, or blanks when it was 0.
std::string Redessiner(CanvasModel& canvas, DrawContext& ctx,
                       const CanvasPainters& painters = CanvasPainters::Registered());

// The context for drawing the canvas on its own image.
DrawContext ScreenContext(CanvasModel& canvas, const VarGlob& settings);

// The mark of a waiting canvas and of the Ctrl and Shift keys: a triangle in the image's
// top-left corner.
void FillCornerTriangle(Surface& surface, int size, TColor colour);

// The style menu rewrites the display bits of every record after a change of the surface
// display: bits 0..11 except 8 and 9 are kept, the plot style added.
std::int32_t RestyledInf(std::int32_t inf, std::int32_t stylePlot);

// Radius of a diameter typed in millimetres, and back.
int RadiusForDiameter(double millimetres, double pixelsPerMillimetre);
int DiameterShown(int radius, double pixelsPerMillimetre);

} // namespace ploq

namespace ploq {

// Where the parts of a canvas window go: the image area above, the tool bar (21 pixels, none
// when folded), the information panel below.
struct CanvasLayout {
    int windowWidth = 0; // with voirTout: the size the window takes
    int windowHeight = 0;
    int maxWidth = 0;
    int imageAreaHeight = 0;
    int toolBarTop = 0;
    int toolBarHeight = 0;
    int infoTop = 0;
    int infoHeight = 0;
};

constexpr int kCanvasToolBarHeight = 21;
constexpr int kCanvasPanelHeight = 120;     // the information panel of a whole-image layout
constexpr int kCanvasLeastPanelHeight = 60; // what the panel keeps beside an image that scrolls

// The layout of a canvas window of the given client size; with voirTout the window is first
// sized to show the whole image, the tool bar and the panel (at most 700 pixels high). The
// panel, where the reports go, never disappears: an image taller than the room left scrolls
// in its area (a window too low for both shares its height between them).
CanvasLayout AjusterTaille(Size image, Size client, bool toolBarShown, bool voirTout);

} // namespace ploq
