#pragma once

// Widget tests that work as a user does on canvases: rows of the current sheet plotted through
// the plotting dialog, and what a canvas panel or a list shows read back as text.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/TWPlot.h"
#include "platform/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ploq::test {

// Plots the rows of the current sheet whose code (nature, or another field) is `key` with a
// symbol and colour, on a new canvas (of that radius) or the current one; the canvas plotted on.
inline TWPlot* PlotThroughDialog(TForm1& form, Application& app, const char* key, int symbol,
                                 int colour, bool newCanvas, KeyField field = KeyField::Nature,
                                 int radius = 220)
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
        canvas->SetRayon(radius, true);
    return canvas;
}

// The lines of a canvas's information panel (Windows-1252).
inline std::vector<std::string> PanelLines(const TWPlot& canvas)
{
    std::vector<std::string> lines;
    for (const QString& line : canvas.RichEdit1()->toPlainText().split('\n', Qt::SkipEmptyParts))
        lines.push_back(fromQString(line));
    return lines;
}

inline std::vector<std::string> ListLines(const QListWidget* list)
{
    std::vector<std::string> out;
    for (int row = 0; row < list->count(); ++row)
        out.push_back(fromQString(list->item(row)->text()));
    return out;
}

} // namespace ploq::test
