#include "datasheet/SheetUtilities.h"

#include "app/Application.h"
#include "app/Main.h"
#include "datasheet/DataU.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWFichierCommands.h"
#include "datasheet/TWText.h"
#include "platform/QtTextOrder.h"

#include <QTextEdit>

#include <algorithm>

namespace ploq {

namespace {

TWFichier* frontSheet(Application& app)
{
    TWFichier* sheet = CurrentSheet(app);
    if (sheet)
        BringToFront(*sheet);
    return sheet;
}

std::vector<TitledSheet> titled(const std::vector<TWFichier*>& sheets)
{
    std::vector<TitledSheet> listed;
    for (const TWFichier* sheet : sheets)
        listed.push_back({&sheet->sheet(), sheet->title()});
    return listed;
}

TWText* listing(Application& app, const std::string& title, int width, int height,
                const TextDocument& document)
{
    TWText* window = NewTextWindow(app, 2, title);
    if (!window)
        return nullptr;
    window->setDocument(document);
    // A listing is read from its title down.
    window->RichEdit1()->moveCursor(QTextCursor::Start);
    window->setDirty(false);
    window->resize(width, height);
    window->show();
    return window;
}

// The Sort submenu's items: the key column of each, "Numbers" by the numbers of the codes.
constexpr Field kSortKeys[] = {Field::Nature, Field::Number, Field::Number, Field::Location,
                               Field::Comment};
constexpr int kSortByNumber = 1;

} // namespace

std::vector<TWFichier*> SheetsInWindowOrder(Application& app)
{
    std::vector<TWFichier*> ordered;
    for (DataWindow* window : app.registry().recent(WindowKind::Sheet))
        if (auto* sheet = dynamic_cast<TWFichier*>(window))
            ordered.push_back(sheet);
    for (TWFichier* sheet : OpenSheets(app))
        if (std::find(ordered.begin(), ordered.end(), sheet) == ordered.end())
            ordered.push_back(sheet);
    return ordered;
}

void RoundCurrentSheet(Application& app)
{
    TWFichier* sheet = frontSheet(app);
    if (!sheet || app.prompts().message(RoundQuestion()) != Button::Yes || sheet->sheet().isEmpty())
        return;
    for (RowRefusal& refusal : RoundData(sheet->sheet())) {
        refusal.message.at = sheet->messagePlace();
        app.prompts().message(refusal.message);
    }
    sheet->sheetChanged();
}

void SortCurrentSheet(Application& app, int menuItem)
{
    TWFichier* sheet = frontSheet(app);
    if (!sheet || menuItem < 0 || menuItem >= static_cast<int>(std::size(kSortKeys)))
        return;
    const QtTextOrder order;
    if (menuItem == kSortByNumber)
        SortByNumber(sheet->sheet(), order);
    else
        SortSheet(sheet->sheet(), kSortKeys[menuItem], order);
    sheet->sheetChanged();
}

TWText* ListCodes(Application& app)
{
    TWFichier* sheet = frontSheet(app);
    if (!sheet)
        return nullptr;
    return listing(app, "Codes Infos", kCodesInfosWidth, kCodesInfosHeight,
                   InfoCodes(sheet->sheet(), sheet->title(), QtTextOrder()));
}

TWText* ListFiles(Application& app)
{
    if (!frontSheet(app))
        return nullptr;
    std::vector<TWFichier*> visible = SheetsInWindowOrder(app);
    std::erase_if(visible, [](const TWFichier* sheet) { return !sheet->isVisible(); });
    return listing(app, "Files Infos", kFilesInfosWidth, kFilesInfosHeight,
                   InfoFiles(titled(visible)));
}

TWFichier* MergeOpenSheets(TForm1& form, Application& app)
{
    if (!frontSheet(app))
        return nullptr;
    Prompts& prompts = app.prompts();
    const MergePlan plan = PlanMerge(titled(SheetsInWindowOrder(app)));
    if (plan.refusal) {
        prompts.message(*plan.refusal);
        return nullptr;
    }
    if (plan.heterogeneous && prompts.message(HeterogeneousQuestion()) != Button::Yes)
        return nullptr;
    if (prompts.message(MergeQuestion(plan)) != Button::Yes)
        return nullptr;
    MergeOutcome merged = MergeSheets(plan, NewDataSheet(app.settings()));
    TWFichier* made = NewSheet(app, &form, std::move(merged.sheet));
    if (!made)
        return nullptr;
    if (merged.full) {
        merged.full->at = made->messagePlace();
        prompts.message(*merged.full);
    }
    made->sheetChanged();
    return made;
}

void InstallSheetUtilityCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::UtilRound, [&app] { RoundCurrentSheet(app); });
    form.setHandler(Cmd::UtilInfoFiles, [&app] { ListFiles(app); });
    form.setHandler(Cmd::UtilInfoCodes, [&app] { ListCodes(app); });
    form.setHandler(Cmd::UtilMerge, [&form, &app] { MergeOpenSheets(form, app); });
    const Cmd sorts[] = {Cmd::SortNature, Cmd::SortNumbers, Cmd::SortNumbersAsStrings,
                         Cmd::SortLocation, Cmd::SortComment};
    for (int item = 0; item < static_cast<int>(std::size(sorts)); ++item)
        form.setHandler(sorts[item], [&app, item] { SortCurrentSheet(app, item); });
}

} // namespace ploq
