#include "faults/FaultExportCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "faults/FaultCommands.h"

namespace ploq {

namespace {

// The kind of text window (`but`), choosing the file types offered when it is saved, and its
// width.
struct ExportWindow {
    int but;
    int width;
};

ExportWindow exportWindowOf(FaultLayout layout)
{
    switch (layout) {
    case FaultLayout::StressThV: return {4, 620};
    case FaultLayout::Tektonic: return {5, 520};
    case FaultLayout::Yamaji: return {6, 520};
    }
    return {0, 520};
}

// Stress ThV reads fixed columns: they must stay whole lines in the window's fixed-pitch font,
// and must not be saved as rich text. Unwrapped once filled: laid out unwrapped, every line
// appended would cost a new layout of the widest one.
void showFixedColumns(TWText& text)
{
    text.setPlainMode(true);
    text.setWordWrap(false);
}

} // namespace

TWText* ExportFaults(Application& app, FaultLayout layout)
{
    TWFichier* sheet = CheckedFaultSheet(app);
    if (!sheet)
        return nullptr;
    const std::vector<std::string> lines = FaultExportLines(
        layout, SheetRecords(sheet->sheet()), app.settings().OptFltCodes.substr(0, 3));
    const ExportWindow kind = exportWindowOf(layout);
    TWText* text = NewTextWindow(app, kind.but, FaultExportTitle(layout, sheet->title()));
    if (!text)
        return nullptr;
    for (const std::string& line : lines)
        text->appendLine(line);
    if (layout == FaultLayout::StressThV)
        showFixedColumns(*text);
    text->resize(kind.width, sheet->height());
    // Placed once shown, when its frame counts in its width.
    text->show();
    PlaceTextBesideSheet(*text, *sheet);
    text->setDirty(true);
    emit app.menusChanged();
    return text;
}

void InstallFaultExportCommands(TForm1& form, Application& app)
{
    const std::pair<Cmd, FaultLayout> exports[] = {{Cmd::ExportStress, FaultLayout::StressThV},
                                                   {Cmd::ExportTektonics, FaultLayout::Tektonic},
                                                   {Cmd::ExportYamaji, FaultLayout::Yamaji}};
    for (const auto& [command, layout] : exports)
        form.setHandler(command, [&app, layout = layout] { ExportFaults(app, layout); });
}

} // namespace ploq
