// A message box or a modal question belongs to the window it concerns: it opens over that
// window and gives it the focus back when it closes, rather than raising the main window.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "platform/Clock.h"
#include "platform/QtPrompts.h"
#include "platform/RecordingSurface.h"
#include "support/TempDir.h"
#include "transform/DlgChangeSy.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace ploq {
namespace {

// Lets the activations the window system was asked for happen.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void activate(QWidget& window)
{
    window.activateWindow();
    settle();
}

// Ploq with the prompts it runs with: Qt boxes, each owned as the application says.
struct OwnedBoxes : ::testing::Test {
    OwnedBoxes()
    {
        SavePrefsFile(app.settings(), dir.path() / kPrefFileName, 0);
        prompts.setOwner([this] { return app.concernedWindow(); });
        form = std::make_unique<TForm1>(app, ScreenMetrics{});
        prompts.setParent(form.get());
        form->show();
        settle();
    }

    // The box that opens next is answered by `answer`, which is given the box; what owned it
    // is kept.
    void whenTheBoxOpens(std::function<void(QWidget*)> answer)
    {
        auto* poll = new QTimer(form.get());
        QObject::connect(poll, &QTimer::timeout, poll, [this, answer, poll] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            poll->deleteLater();
            poll->stop();
            owner = box->parentWidget();
            answer(box);
        });
        poll->start(10);
    }
    // Answers a message box with its first button.
    static void answerMessage(QWidget* box)
    {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        message->buttons().first()->click();
    }

    test::TempDir dir;
    test::CurrentDir inside{dir.path()};
    QtPrompts prompts;
    FixedClock clock{0};
    RecordingImageFactory images;
    Application app{prompts, clock, images, dir.path() / kPrefFileName};
    std::unique_ptr<TForm1> form;
    QPointer<QWidget> owner;
};

TEST_F(OwnedBoxes, AnEntryErrorBelongsToTheSheet)
{
    TWFichier* sheet = NewSheet(app, form.get());
    activate(*sheet);
    sheet->lE(sheet->sheet().columnOf(Field::Nature))->setText("X1");
    sheet->lE(sheet->sheet().columnOf(Field::Value))->setText("120 S 10");
    whenTheBoxOpens(answerMessage);
    sheet->ButtonAppendClick();
    EXPECT_EQ(owner, sheet);
    settle();
    EXPECT_EQ(QApplication::activeWindow(), sheet);
}

// The main window's menus were used: what they ask concerns the current canvas.
TEST_F(OwnedBoxes, AQuestionFromTheMenusBelongsToTheCurrentCanvas)
{
    TWPlot* canvas = NewWP(app, kWPOrdinary);
    ASSERT_NE(canvas, nullptr);
    activate(*form);
    ASSERT_EQ(ActiveCanvas(app), canvas);
    whenTheBoxOpens([](QWidget* box) {
        if (auto* question = qobject_cast<QInputDialog*>(box))
            question->reject();
    });
    form->run(Cmd::NetAxedGiven); // "Grid position"
    EXPECT_EQ(owner, canvas);
    settle();
    EXPECT_EQ(QApplication::activeWindow(), canvas);

    canvas->Edit1()->clear();
    whenTheBoxOpens(answerMessage);
    canvas->SetDiamClick(); // "Give the canvas diameter (in mm)"
    EXPECT_EQ(owner, canvas);
}

// The close question of a text window is asked in the middle of the screen, wherever the
// window is.
TEST_F(OwnedBoxes, ATextWindowsCloseQuestionIsCentredOnTheScreen)
{
    TWText* w = NewTextWindow(app);
    ASSERT_NE(w, nullptr);
    w->appendLine("changed");
    w->move(0, 0);
    w->show();
    activate(*w);
    QPoint centre;
    whenTheBoxOpens([&centre](QWidget* box) {
        centre = box->frameGeometry().center();
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        message->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(w->close());
    const QPoint screen = w->screen()->availableGeometry().center();
    EXPECT_LE((centre - screen).manhattanLength(), 2);
    EXPECT_EQ(owner, w);
    w->closeWithoutAsking();
}

TEST_F(OwnedBoxes, TheSymbolChangeDialogBelongsToItsCanvas)
{
    TWPlot* canvas = NewWP(app, kWPOrdinary);
    ASSERT_NE(canvas, nullptr);
    TDlgChangeSy* dialog = OpenChangeSymbols(app, form->symbolMenu());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), canvas);
    activate(*dialog);
    dialog->close();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), canvas);
}

} // namespace
} // namespace ploq
