#pragma once

// A started application with its main window, for driving data sheet windows in widget tests:
// new sheets by the File menu, rows typed into the edit boxes, files opened and saved.

#include "app/Main.h"
#include "app/VarGlob.h"
#include "datasheet/TWFichier.h"
#include "support/SheetRows.h"
#include "support/UiApp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>

namespace ploq::test {

// A test application whose preference file exists, so that start-up asks nothing.
struct StartedApp : UiApp {
    StartedApp() { SavePrefsFile(app.settings(), prefsPath(), 0); }
};

struct SheetUi : ::testing::Test {
    TWFichier* newSheet()
    {
        form.run(Cmd::FileNew);
        return CurrentSheet(t.app);
    }

    // Closed windows go once the deferred deletions are done.
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void close(TWFichier* sheet)
    {
        sheet->close();
        flush();
    }

    static void type(TWFichier& sheet, const RowTexts& row)
    {
        const DataSheet& s = sheet.sheet();
        sheet.lE(s.columnOf(Field::Nature))->setText(QString::fromStdString(row.nature));
        sheet.lE(s.columnOf(Field::Value))->setText(QString::fromStdString(row.value));
        sheet.lE(s.columnOf(Field::Number))->setText(QString::fromStdString(row.number));
        sheet.lE(s.columnOf(Field::Location))->setText(QString::fromStdString(row.location));
        sheet.lE(s.columnOf(Field::Comment))->setText(QString::fromStdString(row.comment));
    }

    static void enter(TWFichier& sheet, const RowTexts& row)
    {
        type(sheet, row);
        sheet.ButtonAppendClick();
    }

    std::string path(const char* name) const { return (t.dir_.path() / name).string(); }

    TWFichier* open(const std::string& file)
    {
        t.prompts.expectOpenFile(file);
        form.run(Cmd::FileOpen);
        return CurrentSheet(t.app);
    }

    // A saved sheet of two rows at `file`, left open.
    TWFichier* savedSheet(const std::string& file)
    {
        TWFichier* sheet = newSheet();
        enter(*sheet, {"S0", "120 S 10", "1", "Col", "limb"});
        enter(*sheet, {"L1", "45 NE 30", "2", "Col", ""});
        t.prompts.expectSaveFile(file);
        form.run(Cmd::FileSaveAs);
        return sheet;
    }

    StartedApp t;
    TForm1 form{t.app, {}};
};

} // namespace ploq::test
