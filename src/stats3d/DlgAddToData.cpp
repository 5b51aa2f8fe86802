#include "stats3d/DlgAddToData.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats3d/DisplayAdd.h"
#include "stats3d/Stats3Dadd.h"
#include "stats3d/SymbolPicker.h"
#include "transform/QtClickImage.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace ploq {

TDlgAddToData::TDlgAddToData(Application& app, TWPlot& canvas, const AddToDataRequest& request,
                             QMenu* symbols)
    : QDialog(app.mainWindow()), app_(app), canvas_(&canvas), request_(request)
{
    const VarGlob& s = app.settings();
    const AddToDataChoices initial = InitialAddToData(request);
    setWindowTitle(toQString(request.caption));
    setProperty("helpTopic", kHelpDisplayAdd);

    const Notation notation{s.FrtS, s.FrtL};
    const bool decimals = TestBit(s.OptAdd, kOptAddDecimals);
    auto* fields = new QGridLayout;
    direction_ = ReadOnlyField();
    if (!request.records.empty())
        direction_->setText(
            toQString(RecordDirection(request.records.front(), notation, decimals)));
    auto* directionLabel = new QLabel(toQString(s.TNomC[1]));
    fields->addWidget(directionLabel, 0, 0);
    fields->addWidget(direction_, 0, 1);
    const bool two = ChoosesRecords(request);
    directionLabel->setVisible(!two);
    direction_->setVisible(!two);
    for (int i = 0; i < 2; ++i) {
        QCheckBox* box = TickBox(toQString(AddToDataBox(request, i, notation, decimals)),
                                 initial.take[static_cast<std::size_t>(i)]);
        box->setVisible(two && static_cast<std::size_t>(i) < request.records.size());
        fields->addWidget(box, 1 + i, 0, 1, 2);
        take_[static_cast<std::size_t>(i)] = box;
    }
    const std::string* texts[] = {&initial.nature, &initial.number, &initial.location,
                                  &initial.comment};
    for (std::size_t i = 0; i < codes_.size(); ++i) {
        auto* field = new QLineEdit(toQString(*texts[i]));
        field->setMaxLength(kCodeLength);
        fields->addWidget(new QLabel(toQString(s.TNomC[i + 2])), 3 + static_cast<int>(i), 0);
        fields->addWidget(field, 3 + static_cast<int>(i), 1);
        codes_[i] = field;
    }

    picker_ = new SymbolPicker(s.Tco, symbols, 1, initial.symbol, initial.colour, initial.tailed,
                               tr("tailed symbol"));

    ok_ = new QPushButton(tr("Ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"));
    connect(ok_, &QPushButton::clicked, this, &TDlgAddToData::okClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addLayout(fields);
    layout->addWidget(picker_);
    layout->addLayout(ButtonRow(ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

AddToDataChoices TDlgAddToData::choices() const
{
    AddToDataChoices c;
    c.nature = fromQString(codes_[0]->text());
    c.number = fromQString(codes_[1]->text());
    c.location = fromQString(codes_[2]->text());
    c.comment = fromQString(codes_[3]->text());
    c.symbol = picker_->symbol();
    c.colour = picker_->colour();
    c.tailed = picker_->tailed();
    for (std::size_t i = 0; i < take_.size(); ++i)
        c.take[i] = take_[i]->isChecked();
    return c;
}

void TDlgAddToData::stripReleased(int x)
{
    picker_->stripReleased(x);
}

void TDlgAddToData::symbolChosen(int symbol)
{
    picker_->symbolChosen(symbol);
}

void TDlgAddToData::okClick()
{
    if (!canvas_) {
        reject();
        return;
    }
    result_ = AddToData(canvas_->model(), request_, choices());
    const std::string_view message = AddToDataMessage(request_, result_.refusal);
    if (!message.empty())
        app_.prompts().warning(std::string(message));
    if (result_.refusal == AddToDataRefusal::TypeChanged
        || (result_.refusal == AddToDataRefusal::NoneChosen && !message.empty()))
        return;
    if (result_.refusal != AddToDataRefusal::None) {
        reject();
        return;
    }
    if (!result_.line.empty())
        canvas_->appendInfo(result_.line);
    canvas_->NettoyerWP();
    accept();
}

AddToDataRun& RunAddToData()
{
    static AddToDataRun run = [](TDlgAddToData& dialog) { return dialog.exec(); };
    return run;
}

bool AddRecordsToData(Application& app, TWPlot& canvas, const AddToDataRequest& request)
{
    const CanvasModel& model = canvas.model();
    if (!AddsToData(model.natWP) || request.records.empty())
        return false;
    if (model.lNT >= kMaxValues) {
        app.prompts().warning(std::string(kMsgCanvasFull));
        return false;
    }
    auto* form = qobject_cast<TForm1*>(app.mainWindow());
    TDlgAddToData dialog(app, canvas, request, form ? form->symbolMenu() : nullptr);
    app.setDialog(kDlgAddToData, &dialog);
    dialog.adjustSize();
    const Point at = BesideCanvas(canvas, dialog.frameGeometry().width());
    dialog.move(at.x, at.y);
    return RunAddToData()(dialog) == QDialog::Accepted && !dialog.result().numbers.empty();
}

bool AddValueToData(Application& app, TWPlot& canvas, const InfoAdd& entry, int number)
{
    const CanvasModel& model = canvas.model();
    const std::string_view label = AddLabel(entry.nat);
    AddToDataRequest request{kAddToDataOne,
                             label.empty() ? "add to data" : std::string(label),
                             {AddValueRecord(entry, number, model.lStylePlot, model.net())}};
    return AddRecordsToData(app, canvas, request);
}

} // namespace ploq
