// Contour canvases drawn through Qt: segments, polygons and Bezier curves, filled or lines only,
// on Schmidt and Wulff nets and the upper hemisphere, left in pictures/contours_*.png to be
// looked at; the pixels at the clusters' centres take the highest level's colour.

#include "canvas/PicturesUi.h"
#include "canvas/Plot.h"
#include "platform/QtSurface.h"
#include "stats3d/Contours.h"
#include "support/Draws.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

// 5000 poles in three clusters about 20/040, 60/200 and 5/310 (plunge/trend).
std::vector<Direction> ThreeClusters()
{
    const Direction centres[] = {{40 * kDegToRad, 20 * kDegToRad},
                                 {200 * kDegToRad, 60 * kDegToRad},
                                 {310 * kDegToRad, 5 * kDegToRad}};
    test::Draws draws(2024);
    std::vector<Direction> out;
    for (int i = 0; i < 5000; ++i)
        out.push_back(test::Deviated(centres[i % 3], 15 * kDegToRad * std::sqrt(draws.uniform()),
                                     2 * kPi * draws.uniform()));
    return out;
}

struct Picture {
    const char* name;
    int modeC;
    bool filled;
    bool wulff;
    bool upper;
};

TEST(ContourPictures, CanvasesDrawnThroughQt)
{
    const Picture pictures[] = {
        {"contours_segments_filled_schmidt.png", kContourSegments, true, false, false},
        {"contours_polygons_lines_schmidt.png", kContourPolylines, false, false, false},
        {"contours_bezier_lines_wulff.png", kContourBezier, false, true, false},
        {"contours_polygons_filled_upper.png", kContourPolylines, true, false, true},
        {"contours_bezier_lines_upper_wulff.png", kContourBezier, false, true, true},
    };
    const std::vector<Direction> poles = ThreeClusters();
    VarGlob settings;
    RegisterContourDisplay(CanvasPainters::Registered());
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        QtImageFactory images(false);
        CanvasModel canvas(kWPContouring, settings);
        SetBit(canvas.lStyleCnvs, kStyleWulff, p.wulff);
        SetBit(canvas.lStyleCnvs, kStyleLowerHemisphere, !p.upper);
        ASSERT_TRUE(canvas.SetRayon(200, images));
        canvas.natGrille = 0;
        ParamContours params;
        params.modeC = static_cast<std::int16_t>(p.modeC);
        params.filled = p.filled;
        params.blackLine = !p.filled;
        const double U = (1 - std::cos(params.cone * kDegToRad)) * 5000 / 2;
        DoublingLevels(params, GridMaximum(poles, 6, 20, canvas.net()), U, false, kDefaultTcoCont,
                       false);
        ASSERT_GE(params.nz, 3);
        KeepContouring(canvas, poles, params);
        DrawContext ctx = ScreenContext(canvas, settings);
        Redessiner(canvas, ctx);
        const QImage image = static_cast<QtImage*>(canvas.image())->image();
        test::SavePicture(image, p.name);
        EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
        if (p.filled) {
            // The two steep clusters' centres lie inside the highest level.
            const TColor top = params.tz[static_cast<std::size_t>(params.nz - 1)].cz;
            int inTop = 0;
            for (const Direction& c : {Direction{40 * kDegToRad, 20 * kDegToRad},
                                       Direction{200 * kDegToRad, 60 * kDegToRad}}) {
                const Point at = DirToPixel(c, canvas.net());
                inTop += image.pixel(at.x, at.y) == toQColor(top).rgb();
            }
            EXPECT_EQ(inTop, 2);
        }
    }
}

} // namespace
} // namespace ploq
