#pragma once

// A started application for the widget tests of the 2D statistics: its main window, canvases
// that draw real pixels, scripted answers, and the data the tests share.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/TWFichier.h"
#include "platform/QtSurface.h"
#include "stats2d/DlgStats2D.h"
#include "support/ScriptedPrompts.h"
#include "support/SheetRows.h"
#include "support/TempDir.h"
#include "transform/DlgUseDataSheet.h"
#include "transform/DlgUseSymb.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <tuple>

namespace ploq {

// A started application whose canvases draw real pixels.
struct Stats2DUi : ::testing::Test {
    Stats2DUi()
    {
        SavePrefsFile(t.app.settings(), prefs(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(400, 40, 600, 120);
    }
    ~Stats2DUi() override
    {
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
        RunDataSheetChooser() = [](TDlgUseDataSheet& d) { return d.exec(); };
        EXPECT_TRUE(t.prompts.allAnswered());
    }
    std::filesystem::path prefs() const { return t.dir.path() / std::string(kPrefFileName); }

    // Planes in dip/dip-direction notation: (comment, "dip/direction").
    TWFichier* openPlanes(std::initializer_list<std::pair<const char*, const char*>> rows)
    {
        DataSheet sheet = NewDataSheet(t.app.settings());
        sheet.lFrtS = sheet.lFrtL = 1;
        int n = 0;
        for (const auto& [comment, value] : rows)
            test::EnterRow(sheet, {"S", value, std::to_string(++n), "", comment});
        return NewSheet(t.app, form.get(), std::move(sheet));
    }
    TDlgStats2D* open(Cmd cmd = Cmd::RoseDiagram)
    {
        form->run(cmd);
        return qobject_cast<TDlgStats2D*>(t.app.dialog(kDlgStats2D));
    }
    // Vectors, dip directions, average and median: the choices of the pictures.
    static void dipDirections(TDlgStats2D& d)
    {
        d.kindButton(kVectors360)->setChecked(true);
        d.planeButton(kPlaneDipDirection)->setChecked(true);
        d.averageBox()->setChecked(true);
        d.medianBox()->setChecked(true);
    }
    static std::vector<std::pair<std::string, QColor>> panel(const TWPlot& plot)
    {
        std::vector<std::pair<std::string, QColor>> lines;
        for (QTextBlock b = plot.RichEdit1()->document()->begin(); b.isValid(); b = b.next())
            lines.emplace_back(b.text().toStdString(),
                               b.begin().fragment().charFormat().foreground().color());
        return lines;
    }
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    int canvases() { return t.app.registry().count(WindowKind::Canvas); }

    struct PixelApp {
        test::TempDir dir;
        test::CurrentDir inside{dir.path()};
        test::ScriptedPrompts prompts;
        FixedClock clock{toDayCount({2026, 12, 9, 14, 5, 0})};
        QtImageFactory images{true};
        Application app{prompts, clock, images, dir.path() / std::string(kPrefFileName)};
    } t;
    std::unique_ptr<TForm1> form;
};

// Twelve cross-beds, eight of them in troughs.
inline TWFichier* crossBeds(Stats2DUi& ui)
{
    return ui.openPlanes({{"trough", "20/100"},
                          {"trough", "25/105"},
                          {"trough", "30/112"},
                          {"trough", "22/118"},
                          {"trough", "28/95"},
                          {"trough", "26/131"},
                          {"trough", "24/122"},
                          {"trough", "21/84"},
                          {"planar", "15/140"},
                          {"planar", "18/152"},
                          {"planar", "12/160"},
                          {"planar", "19/147"}});
}

// A stereonet canvas with two sets: symbol 6 in colour 2 (dip directions about 100) and
// symbol 3 in colour 4 (about 300).
struct OnACanvas : Stats2DUi {
    OnACanvas()
    {
        canvas = NewWP(t.app, kWPOrdinary);
        VarGlob& s = t.app.settings();
        for (const auto& [sy, colour, trend] :
             {std::tuple{6, 2, 100.0}, std::tuple{6, 2, 104.0}, std::tuple{3, 4, 300.0}}) {
            s.Sy = sy;
            s.Couleur = colour;
            InfoVal v;
            v.na = "L";
            v.azi = trend * kDegToRad;
            v.pen = 0.3;
            AjoutVal(canvas->model(), v, s);
        }
    }
    TWPlot* canvas = nullptr;
};

} // namespace ploq
