#include "ui/save_dialog.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <QFileDialog>
#include <QLineEdit>

#include "foundation/app_info.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"
#include "tests/ui/modal_helper.h"

namespace tavo {
namespace {

using test::WhenShown;

QFileDialog& AsFileDialog(QDialog& d) {
    return static_cast<QFileDialog&>(d);
}

QString TypedName(QDialog& d) {
    auto* edit = d.findChild<QLineEdit*>("fileNameEdit");
    return edit ? edit->text() : QString("<no name field>");
}

class MySaveDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        AppInfo.LogDir = root_.At("logs") + "/";
        std::filesystem::create_directories(root_.At("logs"));
        std::filesystem::create_directories(root_.At("out"));
    }
    test::TempRoot root_;
};

TEST(MySaveDialogFilter, ConvertsTheLibraryFormToQtNameFilters) {
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"Alle Dateien (*.*)|*.*", {"Alle Dateien (*)"}},
        {"Logdateien|*.log;*.txt|Alle Dateien (*.*)|*.*",
         {"Logdateien (*.log *.txt)", "Alle Dateien (*)"}},
        {"Programm (Tavo)|Tavo", {"Programm (Tavo)"}},
        {"", {"*"}},
        {"nur Text ohne Maske", {"*"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TMySaveDialog::QtNameFilters(c.filter), c.expected) << c.filter;
}

TEST_F(MySaveDialog, StartsInLastFolderOrElseTheLogFolder) {
    EXPECT_EQ(TMySaveDialog().InitialDir, AppInfo.LogDir);
    AppInfo.LastFolder = root_.At("out") + "/";
    const TMySaveDialog dialog;
    EXPECT_EQ(dialog.InitialDir, AppInfo.LastFolder);
    EXPECT_EQ(dialog.Filter, "Alle Dateien (*.*)|*.*");
    EXPECT_TRUE(dialog.Opts.overwritePrompt);
    EXPECT_TRUE(dialog.Opts.pathMustExist);
    EXPECT_TRUE(dialog.Opts.resizable);
}

TEST_F(MySaveDialog, PresetFolderNameIsClearedAndAConfirmedSaveSetsLastFolder) {
    TMySaveDialog dialog;
    dialog.FileName = root_.At("out") + "/";
    const std::string chosen = root_.At("out") + "/setup.log";
    WhenShown("MySaveDialog", [this, chosen](QDialog& d) {
        QFileDialog& files = AsFileDialog(d);
        EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(files.directory().absolutePath().toStdString(), root_.At("logs"));
        EXPECT_EQ(TypedName(d), "");
        EXPECT_EQ(files.nameFilters(), QStringList({"Alle Dateien (*)"}));
        EXPECT_FALSE(files.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(files.isSizeGripEnabled());
        files.selectFile(QString::fromStdString(chosen));
        d.accept();  // through the dialog's own check
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, chosen);
    EXPECT_EQ(AppInfo.LastFolder, root_.At("out") + "/");
}

TEST_F(MySaveDialog, AFileInAMissingFolderIsRefusedAndCancelKeepsLastFolder) {
    AppInfo.LastFolder = root_.At("out") + "/";
    const std::string missing = root_.At("out/fehlt") + "/";
    test::ScriptedPrompts prompts;
    prompts.Expect(test::ExpectedPrompt("Das Verzeichnis " + missing + " existiert nicht.", 0));
    TMySaveDialog dialog;
    WhenShown("MySaveDialog", [](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText("fehlt/a.log");  // typed by the user, below the folder shown
        d.accept();
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(AppInfo.LastFolder, root_.At("out") + "/");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace tavo
