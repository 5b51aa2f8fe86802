// Nets drawn through Qt as a canvas shows them: every grid stays inside the primitive circle,
// and the pictures are kept in the build (pictures/net_*.png) to be looked at.

#include "app/VarGlob.h"
#include "canvas/Dessin.h"
#include "canvas/UtilDessin.h"
#include "platform/QtSurface.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "PicturesUi.h"
#include <cmath>

namespace ploq {
namespace {

constexpr int kRadius = 180;
constexpr int kSide = 2 * kRadius + 30;

double deg(double d)
{
    return d * kDegToRad;
}

struct NetPicture {
    const char* name;
    bool wulff;
    bool lower;
    CanvasGrid grid;
};

const NetPicture kPictures[] = {
    {"schmidt_lower", false, true, {kGridStandard}},
    {"schmidt_upper", false, false, {kGridStandard}},
    {"wulff_lower", true, true, {kGridStandard}},
    {"wulff_upper", true, false, {kGridStandard}},
    {"schmidt_polar", false, true, {kGridPolar}},
    {"wulff_polar", true, true, {kGridPolar}},
    {"schmidt_axed", false, true, {kGridAxed, deg(40), deg(30)}},
    {"wulff_axed_upper", true, false, {kGridAxed, deg(40), deg(30)}},
};

struct Drawing {
    QtImage image;
    VarGlob settings;
    DrawContext ctx;

    Drawing(const NetPicture& p, bool antialias, std::int32_t style)
        : image(blank(), antialias), ctx{image.surface(),
                                         Net{kSide / 2, kSide / 2, kRadius, p.lower, p.wulff},
                                         style, 0, settings}
    {
    }

    static QImage blank()
    {
        QImage white(kSide, kSide, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
};

// Some data over the grid, as a canvas shows it: two planes, a cone and symbols.
void DrawSample(const DrawContext& ctx)
{
    Surface& s = ctx.CnvsCourant;
    s.setPen({CouleurDe(ctx.settings.Tco, 10), 2});
    TraceGC(ctx, deg(50), deg(300));
    s.setPen({CouleurDe(ctx.settings.Tco, 2), 1});
    TraceGC(ctx, deg(20), deg(60));
    s.setPen({CouleurDe(ctx.settings.Tco, 11), 1});
    TracePC2(ctx, deg(35), deg(15), deg(200));
    for (double trend = 0; trend < 360; trend += 45) {
        const Point p = DirToPixel({deg(trend), deg(30 + trend / 20)}, ctx.net);
        DessinerSymbole(ctx, trend < 180 ? 6 : -9, trend < 180 ? 4 : 1, p.x, p.y);
    }
}

TEST(NetPictures, GridsStayInsideThePrimitiveCircle)
{
    for (const NetPicture& p : kPictures) {
        for (const bool antialias : {false, true})
            for (const int step : {2, 5, 10, 15}) {
                SCOPED_TRACE(::testing::Message()
                             << p.name << " step " << step << (antialias ? " antialiased" : ""));
                Drawing d(p, antialias, 1 << kStyleIndexedGrid);
                d.settings.GridCol = 16; // black: every mark is visible
                d.settings.GridStep = step;
                DessinerGrille(d.ctx, p.grid);
                const QImage image = d.image.image();
                double reach = 0;
                for (int y = 0; y < kSide; ++y)
                    for (int x = 0; x < kSide; ++x) {
                        const QRgb c = image.pixel(x, y);
                        // Labels are grey text, written over the rim too.
                        if (c == qRgb(255, 255, 255) || (qRed(c) == qGreen(c) && qRed(c) >= 100))
                            continue;
                        reach =
                            std::max(reach, std::hypot(x - kSide / 2 + 0.5, y - kSide / 2 + 0.5));
                    }
                EXPECT_LE(reach, kRadius + 1.5);
                EXPECT_GT(reach, kRadius - 2) << "reaches the rim";
            }
    }
}

TEST(NetPictures, Gallery)
{
    const int columns = 4;
    QImage gallery(columns * kSide, 2 * kSide, QImage::Format_RGB32);
    gallery.fill(Qt::white);
    QPainter painter(&gallery);
    int index = 0;
    for (const NetPicture& p : kPictures) {
        Drawing d(p, true, 1 << kStyleIndexedGrid | 1 << kStyleGraduations | 1 << kStyleNetCentre);
        DessinerGrille(d.ctx, p.grid);
        TraceCanevas(d.ctx);
        DrawSample(d.ctx);
        d.ctx.CnvsCourant.setFont({"DejaVu Sans", 12});
        d.ctx.CnvsCourant.textOut({4, 2}, p.name);
        const QImage image = d.image.image();
        test::SavePicture(image, QString("net_%1.png").arg(p.name));
        painter.drawImage((index % columns) * kSide, (index / columns) * kSide, image);
        ++index;
    }
    painter.end();
    const QString path = test::SavePicture(gallery, "nets.png");
    EXPECT_FALSE(gallery.isNull()) << path.toStdString();
}

// The printed variant: the frame with its letter, count and projection label, and symbols scaled
// by the output unit.
TEST(NetPictures, OutputVariant)
{
    const int radius = 500;
    QImage page(2 * radius + 200, 2 * radius + 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    QtImage image(page, true);
    VarGlob settings;
    settings.PixMM = 3.8;
    const DrawContext ctx{image.surface(),
                          Net{radius + 100, radius + 150, radius, true, false},
                          1 << kStyleGraduations | 1 << kStyleNetCentre | 1 << kStyleDiameters,
                          0,
                          settings,
                          4,
                          true};
    GrilleStandard(ctx, 0);
    TraceCanevas(ctx, 8);
    DrawSample(ctx);
    const QImage drawn = image.image();
    test::SavePicture(drawn, "net_output.png");
    // The letter N stands above the north mark.
    bool letter = false;
    for (int y = 0; y < 150 - radius / 100; ++y)
        letter = letter || drawn.pixel(radius + 100, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(letter);
}

} // namespace
} // namespace ploq
