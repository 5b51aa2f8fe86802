// The results of two "Best pôle" runs handled as a user would: the cross-bedding example
// plotted, the best plane of all beds and of the trough beds kept in two colours, then
// Ctrl+D: the cones hidden, one value erased, the best pole added to the data, the trough
// result copied to a second canvas. Real pixels; the pictures are kept
// (pictures/display_add_e2e_*.png), and under Xvfb with QT_QPA_PLATFORM=xcb the whole screen.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DlgAddToData.h"
#include "stats3d/DlgDisplayAdd.h"
#include "stats3d/DlgPlotGcPC.h"
#include "stats3d/Stats3Dadd.h"
#include "support/Draws.h"
#include "support/PlotUi.h"
#include "support/ScreenUi.h"
#include "support/UiApp.h"
#include "transform/DlgUseSymb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace ploq {
namespace {

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

int RowOf(const QListWidget* list, int rang)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole).toInt() == rang)
            return row;
    return -1;
}

// Pixels of exactly that colour.
int PixelsOf(const QImage& image, TColor colour)
{
    const QRgb wanted = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == wanted;
    return n;
}

// How many of twelve points of the plane of that pole carry the colour (within a pixel).
int OnTrace(const QImage& image, const Net& net, const Direction& pole, TColor colour)
{
    const QRgb wanted = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    int hits = 0;
    for (double toward = 0; toward < 360; toward += 30) {
        const Point p = DirToPixel(test::Deviated(pole, Rad(90), Rad(toward)), net);
        bool found = false;
        for (int dx = -1; dx <= 1 && !found; ++dx)
            for (int dy = -1; dy <= 1 && !found; ++dy)
                found =
                    image.valid(p.x + dx, p.y + dy) && image.pixel(p.x + dx, p.y + dy) == wanted;
        hits += found;
    }
    return hits;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct DisplayAddEndToEnd : ::testing::Test {
    DisplayAddEndToEnd()
    {
        t.app.settings().FrtL = 1;
        t.app.settings().FrtS = 1;
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 1100, 200);
        form->show();
    }
    ~DisplayAddEndToEnd() override
    {
        if (QWidget* d = t.app.dialog(kDlgDisplayAdd))
            delete d;
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
        RunAddToData() = [](TDlgAddToData& d) { return d.exec(); };
    }

    TWPlot* plot(const char* key, int symbol, int colour, bool newCanvas, KeyField field)
    {
        return test::PlotThroughDialog(*form, t.app, key, symbol, colour, newCanvas, field, 200);
    }
    // "Best pôle" on the chosen sets, everything kept in the colour.
    BestFit bestPole(const std::function<void(TDlgUseSymb&)>& choose, int colour)
    {
        RunChooser() = [&](TDlgUseSymb& d) {
            choose(d);
            return int(QDialog::Accepted);
        };
        BestFit fit;
        RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
            fit = d.fit();
            for (QCheckBox* box : {d.poleBox(), d.circleBox(), d.cone95Box(), d.cone99Box()})
                box->setChecked(true);
            d.stripReleased(12 * colour + 7);
            return int(QDialog::Accepted);
        };
        form->run(Cmd::BestPole);
        return fit;
    }
    void activate(TWPlot& canvas)
    {
        canvas.raise();
        canvas.activateWindow();
        t.app.activateWindow(canvas);
        form->RefreshMenus();
    }
    TDlgDisplayAdd* ctrlD()
    {
        form->run(Cmd::DisplayBestFits);
        auto* d = qobject_cast<TDlgDisplayAdd*>(t.app.dialog(kDlgDisplayAdd));
        if (d && d->canvases().size() > 0) {
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            d->move(screen.right() - d->frameGeometry().width() - 10, 260);
        }
        return d;
    }
    static QImage image(TWPlot& canvas)
    {
        return dynamic_cast<QtImage&>(*canvas.model().image()).image();
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
};

TEST_F(DisplayAddEndToEnd, CrossBeddingResultsShownErasedAddedAndCopied)
{
    t.prompts.expectOpenFile(std::string(PLOQ_EXAMPLES) + "/cross-bedding.plq");
    form->run(Cmd::FileOpen);
    TWPlot* canvas = plot("Bed A", 1, 0, true, KeyField::Location);
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(plot("Bed C", 1, 2, false, KeyField::Location), canvas);
    canvas->DoPUMenuStyleCnvs(3); // planes as their poles
    canvas->move(20, 260);
    ASSERT_EQ(canvas->model().lNT, 23);
    const VarGlob& s = t.app.settings();

    // Every bed in green (4), the trough beds alone (the red set of the chooser) in blue (1).
    const BestFit all = bestPole([](TDlgUseSymb&) {}, 4);
    const BestFit trough =
        bestPole([](TDlgUseSymb& d) { d.imageReleased(false, 12 * 2 + 31, 28 * 1 - 15); }, 1);
    ASSERT_EQ(all.kind, kAddBestPlane);
    ASSERT_EQ(trough.kind, kAddBestPlane);
    EXPECT_GT(std::fabs(all.trend - trough.trend) + std::fabs(all.plunge - trough.plunge), 1e-3)
        << "two different sets";
    const CanvasModel& m = canvas->model();
    ASSERT_EQ(m.lNAdd, 8);
    const QImage before = image(*canvas);
    test::SavePicture(before, "display_add_e2e_before.png");

    // A second canvas with every foreset, for the copy.
    TWPlot* second = plot("Sxb", 3, 5, true, KeyField::Nature);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, canvas);
    second->move(480, 260);
    ASSERT_EQ(second->model().lNT, 40);
    activate(*canvas);

    // Ctrl+D: the cones go to the left list; OK hides them.
    TDlgDisplayAdd* d = ctrlD();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->source(), canvas);
    EXPECT_EQ(test::ListLines(d->rightList()),
              (std::vector<std::string>{"01  Best plane", "02  Pole of best plane",
                                        "03  Conf. cone 95%, BP", "04  Conf. cone 99%, BP",
                                        "05  Best plane", "06  Pole of best plane",
                                        "07  Conf. cone 95%, BP", "08  Conf. cone 99%, BP"}));
    for (int rang : {3, 4, 7, 8}) {
        d->rightSelected(RowOf(d->rightList(), rang));
        d->moveLeft();
    }
    d->leftSelected(RowOf(d->leftList(), 7));
    test::SavePicture(d->grab().toImage(), "display_add_e2e_hide.png");
    test::SaveScreen("display_add_e2e_screen_hide.png");
    d->okClick();
    FlushDeletes();
    EXPECT_EQ(t.app.dialog(kDlgDisplayAdd), nullptr);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(m.lAdd[static_cast<std::size_t>(i)].vis, i % 4 < 2) << i;
    const QImage hidden = image(*canvas);
    test::SavePicture(hidden, "display_add_e2e_cones_hidden.png");
    EXPECT_LT(PixelsOf(hidden, s.Tco[1]), PixelsOf(before, s.Tco[1])) << "the blue cones are gone";
    EXPECT_GT(OnTrace(hidden, m.net(), {trough.trend, trough.plunge}, s.Tco[1]), 8)
        << "the blue best plane stays";

    // Ctrl+D again: erase the hidden 95% cone of the trough beds, add the best pole of all beds
    // to the data, copy the trough result to the second canvas.
    d = ctrlD();
    ASSERT_NE(d, nullptr);
    d->leftSelected(RowOf(d->leftList(), 7));
    t.prompts.expectMessage("This data will be definively erased", Button::Ok);
    d->deleteClick();
    EXPECT_EQ(test::ListLines(d->leftList()),
              (std::vector<std::string>{"03  Conf. cone 95%, BP", "04  Conf. cone 99%, BP",
                                        "08  Conf. cone 99%, BP"}));
    ASSERT_EQ(m.lNAdd, 7);

    const int n = m.lNT;
    RunAddToData() = [&](TDlgAddToData& a) {
        EXPECT_EQ(fromQString(a.codeField(0)->text()), "L");
        EXPECT_EQ(fromQString(a.codeField(3)->text()), "add.v 1");
        a.codeField(1)->setText("BP all");
        test::SavePicture(a.grab().toImage(), "display_add_e2e_add_to_data.png");
        a.okClick();
        return a.result().numbers.empty() ? int(QDialog::Rejected) : int(QDialog::Accepted);
    };
    d->rightSelected(RowOf(d->rightList(), 1));
    ASSERT_TRUE(d->rightAddButton()->isEnabled());
    d->addToDataRight();
    EXPECT_EQ(m.lNT, n + 1) << "N grows by one";
    EXPECT_EQ(fromQString(canvas->Label1()->text()), "N = " + std::to_string(n + 1));
    const InfoVal& added = m.lVal[static_cast<std::size_t>(n + 1)];
    EXPECT_EQ(added.nu, "BP all");
    EXPECT_NEAR(added.azi, all.trend, 1e-12);
    EXPECT_NEAR(added.pen, all.plunge, 1e-12);
    EXPECT_TRUE(canvas->RichEdit1()->toPlainText().contains(
        QString("(added to data list, number : %1)").arg(n + 1)));

    d->targetChosen(1);
    ASSERT_EQ(d->target(), second);
    EXPECT_EQ(fromQString(d->okButton()->text()), "add");
    for (int rang : {5, 6}) {
        d->leftSelected(RowOf(d->leftList(), rang));
        d->moveRight();
    }
    EXPECT_EQ(test::ListLines(d->rightList()),
              (std::vector<std::string>{"05  Best plane", "06  Pole of best plane"}));
    test::SavePicture(d->grab().toImage(), "display_add_e2e_copy.png");
    test::SaveScreen("display_add_e2e_screen_copy.png");
    d->okClick();
    FlushDeletes();

    const CanvasModel& m2 = second->model();
    ASSERT_EQ(m2.lNAdd, 2);
    EXPECT_EQ(m2.lAdd[0].rang, 1);
    EXPECT_EQ(m2.lAdd[1].nat, kAddPoleBP);
    EXPECT_TRUE(m2.lAdd[0].vis && m2.lAdd[1].vis);
    EXPECT_EQ(m.lNAdd, 7) << "the source keeps its values";
    EXPECT_TRUE(m.lAdd[4].vis && m.lAdd[5].vis);
    const QImage copied = image(*second);
    test::SavePicture(copied, "display_add_e2e_second_canvas.png");
    test::SavePicture(image(*canvas), "display_add_e2e_after.png");
    EXPECT_GT(OnTrace(copied, m2.net(), {trough.trend, trough.plunge}, s.Tco[1]), 8)
        << "the blue best plane drawn on the second canvas";
    EXPECT_GT(OnTrace(image(*canvas), m.net(), {trough.trend, trough.plunge}, s.Tco[1]), 8)
        << "and still on the first";
    test::SaveScreen("display_add_e2e_screen_after.png");
    EXPECT_TRUE(t.prompts.allAnswered());
}

} // namespace
} // namespace ploq
