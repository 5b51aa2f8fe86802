#include "datasheet/TWFichierCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "datasheet/Fichier.h"
#include "datasheet/TWFichier.h"
#include "platform/Text1252.h"

#include <filesystem>
#include <fstream>

namespace ploq {

namespace {

namespace fs = std::filesystem;

// A remark names its rows, except the one whose wording is fixed.
std::string remarkText(const FileProblem& remark)
{
    if (remark.rows.empty() || remark.issue == FileIssue::NegativeTrend)
        return remark.message;
    return remark.message + "\rLines: " + RowListText(remark.rows);
}

bool confirmDelete(Application& app, const std::string& path)
{
    return app.prompts().warning("Do you really want to delete " + Utf8ToCp1252(path) + " ?",
                                 Button::Yes | Button::Abort)
           == Button::Yes;
}

std::vector<std::string> listedRecents(const Application& app)
{
    std::vector<std::string> listed;
    for (const std::string& path : app.settings().FRecents)
        if (!path.empty())
            listed.push_back(path);
    return listed;
}

} // namespace

void BringToFront(TWFichier& sheet)
{
    if (sheet.isMinimized())
        sheet.showNormal();
    sheet.raise();
    sheet.activateWindow();
    sheet.FormActivate();
}

void InstallSheetCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::FileNew, [&form, &app] { NewSheet(app, &form); });
    form.setHandler(Cmd::FileOpen, [&form, &app] { OpenSheet(form, app); });
    form.setReopenHandler([&form, &app](int index) { ReopenRecent(form, app, index); });
    form.setHandler(Cmd::FileSave, WindowKind::Sheet, [&app] { SaveCurrent(app, false); });
    form.setHandler(Cmd::FileSaveAs, WindowKind::Sheet, [&app] { SaveCurrent(app, true); });
    form.setHandler(Cmd::FileDelete, [&app] { DeleteFile(app); });
    form.setHandler(Cmd::FilePrint, WindowKind::Sheet, [&app] {
        if (auto* sheet = dynamic_cast<TWFichier*>(app.registry().active()))
            sheet->PrintPreview();
    });
}

TWFichier* LoadSheet(TForm1& form, Application& app, const std::string& path)
{
    DataSheet sheet = NewDataSheet(app.settings());
    const FileOutcome outcome = LoadSheetFile(path, sheet);
    if (!outcome.ok) {
        app.prompts().error(outcome.error.message);
        return nullptr;
    }
    TWFichier* window = NewSheet(app, &form, std::move(sheet));
    if (!window)
        return nullptr;
    for (const std::string& line : FileInfoLines(path, window->sheet()))
        form.appendInfo(line);
    for (const FileProblem& remark : outcome.warnings)
        app.prompts().warning(remarkText(remark), Button::Ok, window->messagePlace());
    window->GrilleClick(window->sheet().rowCount(), 0);
    return window;
}

void OpenSheet(TForm1& form, Application& app)
{
    const std::string& latest = app.settings().FRecents.front();
    const FileQuestion question{"Ouvrir",
                                latest.empty() ? std::string()
                                               : fs::path(latest).parent_path().string(),
                                {},
                                {{"Fichiers Ploq", "*.plq"}}};
    if (const std::optional<std::string> path = app.prompts().openFile(question))
        LoadSheet(form, app, *path);
}

void ReopenRecent(TForm1& form, Application& app, int index)
{
    const std::vector<std::string> listed = listedRecents(app);
    if (index < 0 || index >= static_cast<int>(listed.size()))
        return;
    const std::string& path = listed[static_cast<std::size_t>(index)];
    for (TWFichier* sheet : OpenSheets(app))
        if (sheet->isVisible() && sheet->sheet().lNomF == path) {
            BringToFront(*sheet);
            return;
        }
    if (!std::ifstream(path, std::ios::binary)) {
        app.prompts().warning(std::string(kMsgFileNotFound));
        return;
    }
    LoadSheet(form, app, path);
}

void SaveCurrent(Application& app, bool saveAs)
{
    // Canvases and text windows save themselves here once they exist.
    if (auto* sheet = dynamic_cast<TWFichier*>(app.registry().active()))
        sheet->SaveSheet(saveAs);
}

void DeleteFile(Application& app)
{
    std::string path;
    auto* sheet = dynamic_cast<TWFichier*>(app.registry().active());
    if (sheet && !sheet->sheet().lNomF.empty()) {
        path = sheet->sheet().lNomF;
        // Unsaved changes are asked about as on any close; Cancel keeps the sheet and the file.
        if (!confirmDelete(app, path) || !sheet->queryClose())
            return;
        sheet->closeWithoutAsking();
    } else {
        const FileQuestion question{
            "Delete",
            {},
            {},
            {{"Ploq files", "*.plq"}, {"Text files", "*.txt"}, {"All files", "*.*"}}};
        const std::optional<std::string> chosen = app.prompts().openFile(question);
        if (!chosen || !confirmDelete(app, *chosen))
            return;
        path = *chosen;
    }
    std::error_code error;
    if (!fs::remove(path, error))
        app.prompts().error("Error deleting the file " + Utf8ToCp1252(path)
                            + (error ? " : " + error.message() : std::string(" : not found")));
}

} // namespace ploq
