#include "transform/DlgUseSymb.h"

#include "app/Application.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "platform/QtText.h"
#include "transform/QtClickImage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ploq {

namespace {

// Mode 5 opens over the "Stats 2D" dialog: centred on it, 25 pixels below its top.
QPoint overDialog(const QWidget& dialog, int width)
{
    const QRect r = dialog.frameGeometry();
    return {r.left() + (r.width() - width) / 2, r.top() + 25};
}

} // namespace

TDlgUseSymb::TDlgUseSymb(const Tcouleur& tco, const SymbolSelection& present, int mode,
                         QWidget* parent)
    : QDialog(parent), tco_(tco), chooser_(present)
{
    const ChoixTexts texts = ChoixSymbolesTexts(mode);
    setWindowTitle(toQString(texts.caption));
    label_ = new QLabel(toQString(texts.label));
    QFont bold = label_->font();
    bold.setBold(true);
    label_->setFont(bold);

    auto* tables = new QGridLayout;
    tables->setHorizontalSpacing(10);
    tables->setVerticalSpacing(2);
    for (const bool tadpoles : {false, true}) {
        auto* image = new ClickImage;
        image->onReleased([this, tadpoles](int x, int y) { imageReleased(tadpoles, x, y); });
        (tadpoles ? tadpoles_ : simple_) = image;
        const int column = tadpoles ? 1 : 0;
        tables->addWidget(new QLabel(tadpoles ? tr("Tadpole symbols") : tr("Simple symbols")), 0,
                          column);
        tables->addWidget(Framed(image), 1, column, Qt::AlignTop);
        redraw(tadpoles);
    }

    ok_ = new QPushButton(toQString(texts.button));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addWidget(label_);
    layout->addLayout(tables);
    layout->addLayout(ButtonRow(ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgUseSymb::imageReleased(bool tadpoles, int x, int y)
{
    if (chooser_.click(tadpoles, x, y))
        redraw(tadpoles);
}

void TDlgUseSymb::redraw(bool tadpoles)
{
    const Size size = ChooserImageSize(chooser_.rows());
    image(tadpoles)->setPicture(DrawnImage(
        size, [&](Surface& surface) { DessinerChoix(surface, tco_, chooser_, tadpoles, size); }));
}

ChooserRun& RunChooser()
{
    static ChooserRun run = [](TDlgUseSymb& dialog) { return dialog.exec(); };
    return run;
}

int ChoixSymboles(Application& app, int mode, QWidget* stats2D, TWPlot* canvas)
{
    if (!canvas)
        canvas = ActiveCanvas(app);
    SymbolSelection& tsy = app.Tsy();
    tsy = canvas ? PresentPairs(CanvasRecords(canvas->model())) : SymbolSelection{};
    const int n = tsy.countPairs(kChooserColours - 1);
    if (n <= 1)
        return n;

    VarGlob& settings = app.settings();
    const int sy = settings.Sy;
    // The chooser belongs to the window it was asked from, which has the focus back after it.
    QWidget* owner = mode == kChoixStats2D && stats2D ? stats2D : canvas;
    TDlgUseSymb dialog(settings.Tco, tsy, mode, owner ? owner : app.mainWindow());
    app.setDialog(kDlgUseSymb, &dialog);
    dialog.adjustSize();
    const int width = dialog.frameGeometry().width();
    if (mode == kChoixStats2D && stats2D) {
        dialog.setWindowFlag(Qt::Tool);
        dialog.move(overDialog(*stats2D, width));
    } else {
        const Point at = BesideCanvas(*canvas, width, -1);
        dialog.move(at.x, at.y);
    }
    const bool accepted = RunChooser()(dialog) == QDialog::Accepted;
    if (owner) {
        owner->raise();
        owner->activateWindow();
    }
    settings.Sy = sy;
    if (!accepted)
        return 0;
    tsy = dialog.chooser().accepted();
    return n;
}

} // namespace ploq
