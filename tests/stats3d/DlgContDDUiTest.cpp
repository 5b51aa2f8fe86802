// "Contouring RAD" from the right dihedra menu: the dialog with the values of the right dihedra
// canvas, "default val.", what it refuses, "Contour" making a right dihedra contour canvas with a
// stub density (pairs counted when their axis lies within 45 degrees), and the dialog closing
// with the right dihedra canvas. With real pixels: pictures/dihedra_contours_*.png.

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DihedraContours.h"
#include "stats3d/DlgContDD.h"
#include "support/PlotUi.h"
#include "support/StubDihedra.h"
#include "support/UiApp.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace ploq {
namespace {

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::string Text(const QWidget* w)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return fromQString(edit->text());
    if (auto* label = qobject_cast<const QLabel*>(w))
        return fromQString(label->text());
    return {};
}

std::vector<std::string> Levels(const TDlgContDD& d)
{
    return test::ListLines(d.levelList());
}

using test::StubAxes;
using test::StubCount;
using test::StubPairs;
using test::StubRecord;

// A right dihedra canvas of `axes` stub pairs (each axis with a striae record after it), its
// smallest and largest values those of the stub over directions every 2 degrees.
TWPlot* DihedraCanvas(Application& app, std::span<const Direction> axes)
{
    TWPlot* canvas = NewWP(app, kWPDihedra);
    if (!canvas)
        return nullptr;
    CanvasModel& m = canvas->model();
    for (const Direction& a : axes) {
        m.lVal[static_cast<std::size_t>(++m.lNT)] =
            StubRecord(a.trend / kDegToRad, a.plunge / kDegToRad, "PN");
        m.lVal[static_cast<std::size_t>(++m.lNT)] = StubRecord(0, 0, "LN");
    }
    const std::vector<Vec3> v = StubAxes(std::span<const InfoVal>(m.lVal).subspan(1, m.lNT));
    m.mi = static_cast<int>(axes.size());
    m.ma = 0;
    for (int t = 0; t < 360; t += 2)
        for (int p = 0; p <= 90; p += 2) {
            const int n = StubCount(v, {Rad(t), Rad(p)});
            m.mi = std::min(m.mi, n);
            m.ma = std::max(m.ma, n);
        }
    canvas->NettoyerWP();
    return canvas;
}

// Twelve axes: eight about a steep direction to the north-east, four shallow ones to the
// south-south-west.
std::vector<Direction> TwelveAxes()
{
    std::vector<Direction> axes;
    for (int i = 0; i < 8; ++i)
        axes.push_back({Rad(30 + 12 * std::cos(i * 0.8)), Rad(55 + 8 * std::sin(i * 0.8))});
    for (int i = 0; i < 4; ++i)
        axes.push_back({Rad(200 + 10 * i), Rad(10 + 3 * i)});
    return axes;
}

struct DihedraContouringDialog : ::testing::Test {
    DihedraContouringDialog()
    {
        SavePrefsFile(t.app.settings(), t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        const std::vector<Direction> axes = TwelveAxes();
        dihedra = DihedraCanvas(t.app, axes);
        form->RefreshMenus();
    }
    ~DihedraContouringDialog() override
    {
        if (QWidget* d = t.app.dialog(kDlgContDD))
            delete d;
    }
    TDlgContDD* open()
    {
        form->run(Cmd::DihedraContours);
        return qobject_cast<TDlgContDD*>(t.app.dialog(kDlgContDD));
    }
    int canvases() { return t.app.registry().count(WindowKind::Canvas); }

    test::StubDensityGiven density;
    test::UiApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* dihedra = nullptr;
};

TEST_F(DihedraContouringDialog, OpensOnceWithTheValuesOfTheRightDihedraCanvas)
{
    ASSERT_NE(dihedra, nullptr);
    ASSERT_EQ(dihedra->model().mi, 0);
    // Worked out apart, every 2 degrees: all twelve axes lie within 45 degrees of (28, 20).
    ASSERT_EQ(dihedra->model().ma, 12);
    TDlgContDD* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Contouring RAD");
    EXPECT_EQ(HelpTopicOf(d->property("helpTopic").toInt()).page, "dihedracontours.html");
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(Text(d->gridStepEdit()), "6");
    EXPECT_EQ(Text(d->curvesEdit()), "10");
    EXPECT_EQ(Text(d->minLabel()), "min = 0");
    EXPECT_EQ(Text(d->maxLabel()), "max = 12");
    EXPECT_EQ(Levels(*d), (std::vector<std::string>{"  1.5"}));
    EXPECT_EQ(Text(d->levelEdit()), "1.0");
    EXPECT_EQ(open(), d) << "one instance";
}

TEST_F(DihedraContouringDialog, DefaultValuesSpreadBetweenMinAndMax)
{
    TDlgContDD* d = open();
    ASSERT_NE(d, nullptr);
    d->contoursOnlyButton()->click();
    d->blackButton()->click();
    d->levelEdit()->setText("3");
    d->defaultButton()->click();
    // 0.5 + i 11 / 9 for i = 0..9, written "%5.1f".
    EXPECT_EQ(Levels(*d), (std::vector<std::string>{"  0.5", "  1.7", "  2.9", "  4.2", "  5.4",
                                                    "  6.6", "  7.8", "  9.1", " 10.3", " 11.5"}));
    EXPECT_EQ(Text(d->gridStepEdit()), "10");
    EXPECT_TRUE(d->filledButton()->isChecked());
    EXPECT_TRUE(d->asFillingButton()->isChecked());
    EXPECT_EQ(Text(d->levelEdit()), "1.0");
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(d->state().levels.at(i).cz, kDefaultTcoCont[static_cast<std::size_t>(i)]);

    // Out of range the number of curves is brought to 6 or 10.
    const std::pair<const char*, int> curves[] = {{"1", 6}, {"15", 10}, {"4", 4}};
    for (const auto& [typed, n] : curves) {
        d->curvesEdit()->setText(typed);
        d->curvesEdited();
        EXPECT_EQ(Text(d->curvesEdit()), std::to_string(n));
        d->defaultButton()->click();
        EXPECT_EQ(d->state().levels.count(), n) << typed;
    }
    // Grey scale: the grey of each rank, (i + 1) 80 / 4 percent.
    d->greyButton()->click();
    d->defaultButton()->click();
    EXPECT_EQ(d->state().levels.at(3).cz, GreyOfPercent(80));
}

TEST_F(DihedraContouringDialog, BadInputIsRefusedAndTheFieldRestored)
{
    TDlgContDD* d = open();
    ASSERT_NE(d, nullptr);
    struct Bad {
        QLineEdit* field;
        const char* text;
        void (TDlgContDD::*handler)();
        std::string_view message;
        const char* restored;
    };
    const Bad rows[] = {
        {d->gridStepEdit(), "4", &TDlgContDD::gridStepEdited, kMsgBadGridStep, "6"},
        {d->gridStepEdit(), "31", &TDlgContDD::gridStepEdited, kMsgBadGridStep, "6"},
        {d->gridStepEdit(), "7.5", &TDlgContDD::gridStepEdited, kMsgBadGridStep, "6"},
        {d->gridStepEdit(), "fine", &TDlgContDD::gridStepEdited, kMsgBadGridStep, "6"},
        {d->curvesEdit(), "4.5", &TDlgContDD::curvesEdited, kMsgBadCurveCount, "10"},
        {d->curvesEdit(), "many", &TDlgContDD::curvesEdited, kMsgBadCurveCount, "10"},
        {d->curvesEdit(), "", &TDlgContDD::curvesEdited, kMsgBadCurveCount, "10"},
        {d->greyEdit(), "-1", &TDlgContDD::greyEdited, kMsgBadGrey, "22.5"},
        {d->greyEdit(), "100.5", &TDlgContDD::greyEdited, kMsgBadGrey, "22.5"},
        {d->levelEdit(), "0", &TDlgContDD::addClick, kMsgBadLevel, "1.0"},
        {d->levelEdit(), "two", &TDlgContDD::addClick, kMsgBadLevel, "1.0"},
        {d->levelEdit(), "x", &TDlgContDD::modifyClick, kMsgBadLevel, "1.0"},
        {d->levelEdit(), "1.5", &TDlgContDD::addClick, kMsgSameLevel, "1.0"},
    };
    for (const Bad& r : rows) {
        SCOPED_TRACE(r.text);
        t.prompts.expectMessage(std::string(r.message));
        d->levelList()->setCurrentRow(0);
        d->state().levelField = "1.0";
        r.field->setText(QString::fromLatin1(r.text));
        (d->*r.handler)();
        EXPECT_TRUE(t.prompts.allAnswered());
        EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Error);
        EXPECT_EQ(Text(r.field), r.restored);
        EXPECT_EQ(d->state().pas, 6);
        EXPECT_EQ(d->curves(), 10);
        EXPECT_DOUBLE_EQ(d->state().greyPercent, 22.5);
        EXPECT_EQ(Levels(*d), (std::vector<std::string>{"  1.5"}));
    }
    // Good values are taken.
    d->gridStepEdit()->setText("30");
    d->gridStepEdited();
    EXPECT_EQ(d->state().pas, 30);
}

TEST_F(DihedraContouringDialog, TheEleventhLevelIsRefused)
{
    TDlgContDD* d = open();
    ASSERT_NE(d, nullptr);
    for (int z = 2; z <= 10; ++z) {
        d->levelEdit()->setText(QString::number(z));
        d->addClick();
    }
    ASSERT_EQ(d->state().levels.count(), 10);
    t.prompts.expectMessage("Number of contours can't exceed 10");
    d->levelEdit()->setText("11");
    d->addClick();
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Information);
    EXPECT_EQ(d->state().levels.count(), 10);
}

TEST_F(DihedraContouringDialog, ContourRefusesWithoutLevelCanvasOrDensity)
{
    TDlgContDD* d = open();
    ASSERT_NE(d, nullptr);
    const int before = canvases();
    d->levelList()->setCurrentRow(0);
    d->deleteClick();
    ASSERT_EQ(d->state().levels.count(), 0);
    t.prompts.expectMessage(std::string(kMsgNoLevel));
    d->contourButton()->click();
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(canvases(), before);

    d->levelEdit()->setText("2");
    d->addClick();
    RightDihedraDensity() = nullptr;
    t.prompts.expectMessage(std::string(kMsgNoDihedraDensity));
    EXPECT_EQ(ContourRightDihedra(t.app, *d), nullptr);
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(canvases(), before);
    RightDihedraDensity() = StubPairs();

    // A hidden right dihedra canvas is not contoured.
    dihedra->hide();
    t.prompts.expectMessage(std::string(kMsgNoDihedraCanvas));
    d->contourButton()->click();
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(canvases(), before);
    EXPECT_EQ(d->state().levels.count(), 1) << "nothing else changed";
}

TEST_F(DihedraContouringDialog, ContourMakesARightDihedraContourCanvas)
{
    TDlgContDD* d = open();
    ASSERT_NE(d, nullptr);
    // Another canvas active: the right dihedra canvas is still the one contoured.
    TWPlot* other = NewWP(t.app, kWPOrdinary);
    ASSERT_NE(other, nullptr);
    d->levelEdit()->setText("4");
    d->addClick();
    d->blackButton()->click();
    d->bezierBox()->click();
    d->gridStepEdit()->setText("12");
    d->gridStepEdited();
    const int before = canvases();
    d->contourButton()->click();
    ASSERT_EQ(canvases(), before + 1);
    TWPlot* plot = ActiveCanvas(t.app);
    ASSERT_NE(plot, nullptr);
    const CanvasModel& m = plot->model();
    EXPECT_EQ(m.natWP, kWPDihedraContours);
    EXPECT_EQ(m.i0, 1);
    ASSERT_EQ(m.lNT, 24);
    for (std::size_t i = 1; i <= 24; ++i)
        EXPECT_DOUBLE_EQ(m.lVal[i].azi, dihedra->model().lVal[i].azi);
    EXPECT_EQ(m.mi, 0);
    EXPECT_EQ(m.ma, 12);
    const ParamContours& p = m.tContour;
    EXPECT_TRUE(p.rightDihedra);
    ASSERT_EQ(p.nz, 2);
    EXPECT_DOUBLE_EQ(p.tz[0].z, 1.5);
    EXPECT_DOUBLE_EQ(p.tz[1].z, 4.01) << "raised off the whole count, never multiplied";
    EXPECT_TRUE(p.filled);
    EXPECT_TRUE(p.blackLine);
    EXPECT_TRUE(p.bezier);
    EXPECT_EQ(p.pas, 12);

    // Drawn with the stub density, and again on every redraw (zoom) from the canvas's own copy.
    auto& recording = static_cast<RecordingImage*>(plot->model().image())->recording();
    EXPECT_GT(recording.count(Shape::Polygon) + recording.count(Shape::Rectangle), 0u);
    dihedra->close();
    FlushDeletes();
    recording.clear();
    plot->SpeedButton1Click();
    auto& enlarged = static_cast<RecordingImage*>(plot->model().image())->recording();
    EXPECT_GT(enlarged.count(Shape::Polygon) + enlarged.count(Shape::Rectangle), 0u);
}

TEST_F(DihedraContouringDialog, ClosingTheRightDihedraCanvasClosesTheDialog)
{
    TDlgContDD* d = open();
    ASSERT_NE(d, nullptr);
    TWPlot* other = NewWP(t.app, kWPOrdinary);
    ASSERT_NE(other, nullptr);
    other->close();
    FlushDeletes();
    EXPECT_NE(t.app.dialog(kDlgContDD), nullptr) << "another kind leaves it open";
    dihedra->close();
    FlushDeletes();
    EXPECT_EQ(t.app.dialog(kDlgContDD), nullptr);
}

QImage ImageOf(TWPlot& canvas)
{
    return dynamic_cast<QtImage&>(*canvas.model().image()).image();
}

TEST(DihedraContouringPictures, FilledAndSmoothedFromTheStubPairs)
{
    test::StubDensityGiven density;
    test::PixelApp t;
    auto form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
    const std::vector<Direction> axes = TwelveAxes();
    TWPlot* dihedra = DihedraCanvas(t.app, axes);
    ASSERT_NE(dihedra, nullptr);
    form->RefreshMenus();
    form->run(Cmd::DihedraContours);
    auto* d = qobject_cast<TDlgContDD*>(t.app.dialog(kDlgContDD));
    ASSERT_NE(d, nullptr);
    d->curvesEdit()->setText("5");
    d->curvesEdited();
    d->defaultButton()->click();
    test::SavePicture(d->grab().toImage(), "dihedra_contours_dialog.png");
    d->contourButton()->click();
    TWPlot* filled = ActiveCanvas(t.app);
    ASSERT_NE(filled, dihedra);
    const QImage colour = ImageOf(*filled);
    test::SavePicture(colour, "dihedra_contours_filled.png");
    // Levels 0.5, 3.25, 6.01, 8.75, 11.5: the eight steep axes' direction, where the count is 8,
    // lies in a filled level; 20 degrees round the shallow east-south-east direction the count
    // is 0 (worked out apart): white.
    const Point steep = DirToPixel({Rad(30), Rad(55)}, filled->model().net());
    bool inALevel = false;
    for (const Contour& c : d->state().levels.levels())
        inALevel = inALevel || colour.pixel(steep.x, steep.y) == toQColor(c.cz).rgb();
    EXPECT_TRUE(inALevel);
    const Point east = DirToPixel({Rad(120), Rad(5)}, filled->model().net());
    EXPECT_EQ(colour.pixel(east.x, east.y), qRgb(255, 255, 255));

    d->contoursOnlyButton()->click();
    d->blackButton()->click();
    d->bezierBox()->click();
    d->contourButton()->click();
    TWPlot* lines = ActiveCanvas(t.app);
    ASSERT_NE(lines, filled);
    test::SavePicture(ImageOf(*lines), "dihedra_contours_black_bezier.png");
    delete d;
}

} // namespace
} // namespace ploq
