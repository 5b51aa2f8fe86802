#pragma once

// Plotting the rows of the current data sheet as a user would: "Enter (data sheet)", the rows
// whose code matches a key, one symbol and colour.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/TWPlot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace ploq::test {

// Plots the rows whose code (nature, or another field) is `key` with a symbol and colour, on a
// new canvas of radius 220 or on the current one; the canvas, or null.
inline TWPlot* PlotKey(TForm1& form, Application& app, const char* key, int symbol, int colour,
                       bool newCanvas, KeyField field = KeyField::Nature)
{
    app.settings().Sy = symbol;
    app.settings().Couleur = colour;
    form.run(Cmd::PlotEnterSheet);
    auto* dialog = qobject_cast<TDlgEnterFile*>(app.dialog(kDlgEnterFile));
    EXPECT_NE(dialog, nullptr);
    if (!dialog)
        return nullptr;
    dialog->newCanvasBox()->setChecked(newCanvas);
    dialog->CheckBox1Click();
    dialog->keyFieldButton(field)->click();
    dialog->keyBox()->setEditText(QString::fromLatin1(key));
    dialog->identityBox()->setChecked(true);
    dialog->Button1Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TWPlot* canvas = ActiveCanvas(app);
    if (canvas && newCanvas)
        canvas->SetRayon(220, true);
    return canvas;
}

} // namespace ploq::test
