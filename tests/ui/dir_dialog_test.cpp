#include "ui/dir_dialog.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "foundation/app_info.h"
#include "foundation/folder_ops.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"
#include "tests/ui/modal_helper.h"
#include "ui/drive_items.h"
#include "ui/file_images.h"

namespace tavo {
namespace {

using test::ExpectedPrompt;
using test::WhenShown;

namespace fs = std::filesystem;

QListWidget* List(QDialog& d) {
    return d.findChild<QListWidget*>("List");
}
QString LabelText(QDialog& d) {
    return d.findChild<QLabel*>("Label1")->text();
}
QPushButton* Button(QDialog& d, const char* name) {
    return d.findChild<QPushButton*>(name);
}

QStringList Captions(QDialog& d) {
    QStringList out;
    for (int i = 0; i < List(d)->count(); ++i) out << List(d)->item(i)->text();
    return out;
}

QString Selected(QDialog& d) {
    const auto items = List(d)->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

QString SelectedRoot(QDialog& d) {
    const auto items = List(d)->selectedItems();
    return items.isEmpty() ? QString() : items.first()->data(TDirDialog::kRootRole).toString();
}

void Select(QDialog& d, const QString& caption) {
    const auto found = List(d)->findItems(caption, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << caption.toStdString();
    List(d)->setCurrentItem(found.first());
    found.first()->setSelected(true);
    emit List(d)->itemClicked(found.first());
}

// A key typed into the list, with its release.
void Type(QDialog& d, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(List(d), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(List(d), &release);
}

class DirDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        for (const char* folder : {"a/b/Zeta", "a/b/alpha", "a/b/Beta", "a/b/.hidden", "a/c"})
            fs::create_directories(root_.At(folder));
        for (const char* file : {"a/b/readme.TXT", "a/b/Bild.png", "a/b/.profile", "a/b/ohne"})
            test::WriteFile(root_.At(file), "x");
    }
    void TearDown() override { FreeDirDialog(); }

    std::string Folder(const std::string& relative) const { return root_.At(relative) + "/"; }

    test::TempRoot root_;
};

TEST_F(DirDialog, FirstCallWithoutStartFolderShowsTheDrivesWithTheRootFileSystemSelected) {
    ASSERT_EQ(platform::DriveKindOf("/"), platform::DriveKind::Fixed);
    WhenShown("DirDialog", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Verzeichnis wählen..."));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(d.width(), std::max(400, screen.width() / 2));
        EXPECT_EQ(d.height(), std::max(300, screen.height() / 2));
        EXPECT_EQ(SelectedRoot(d), "/");
        EXPECT_EQ(List(d)->currentItem()->data(TDirDialog::kImageRole).toInt(), kImageFixed);
        EXPECT_EQ(LabelText(d), "/");
        EXPECT_TRUE(Button(d, "Okbutton")->isEnabled());
        EXPECT_FALSE(Button(d, "NeuerOrdnerBtn")->isEnabled());
        EXPECT_EQ(d.focusWidget(), List(d));
        Button(d, "Abbruchbutton")->click();
    });
    std::string folder;
    EXPECT_FALSE(ChooseDirectory(folder, ""));
    EXPECT_EQ(folder, "");
}

TEST_F(DirDialog, ComponentsCarryTheirNamesAndCaptions) {
    TDirDialog& chooser = CreateDirDialog(nullptr);
    for (const char* name : {"Panel1", "Label1", "Panel2"})
        EXPECT_NE(chooser.findChild<QWidget*>(name), nullptr) << name;
    const std::pair<const char*, const char*> buttons[] = {
        {"BitBtn1", "Arbeitsplatz"},
        {"Okbutton", "&Ok"},
        {"Abbruchbutton", "&Abbruch"},
        {"NeuerOrdnerBtn", "&neues Verzeichnis"}};
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(Button(chooser, name), nullptr) << name;
        EXPECT_EQ(Button(chooser, name)->text(), caption);
    }
    EXPECT_TRUE(Button(chooser, "Okbutton")->isDefault());
    EXPECT_EQ(chooser.findChild<QWidget*>("List")->objectName(), "List");
}

TEST_F(DirDialog, StartFolderOfWhichTwoLevelsExistOpensOnTheSecondWithFoldersOnly) {
    WhenShown("DirDialog", [this](QDialog& d) {
        EXPECT_EQ(LabelText(d).toStdString(), Folder("a/b"));
        // Hidden names and files are left out; folders sorted without regard to case.
        EXPECT_EQ(Captions(d), QStringList({"..", "alpha", "Beta", "Zeta"}));
        EXPECT_EQ(Selected(d), "..");
        EXPECT_TRUE(Button(d, "NeuerOrdnerBtn")->isEnabled());
        Button(d, "Okbutton")->click();
    });
    std::string folder = Folder("a/b/gone/deeper");
    ASSERT_TRUE(ChooseDirectory(folder, ""));
    EXPECT_EQ(folder, Folder("a/b"));
    EXPECT_EQ(AppInfo.LastFolder, Folder("a/b"));
}

TEST_F(DirDialog, FileModeListsFilesAfterFoldersWithTheirPictures) {
    WhenShown("DirDialog", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Datei wählen..."));
        EXPECT_EQ(Captions(d),
                  QStringList({"..", "alpha", "Beta", "Zeta", "Bild.png", "ohne", "readme.TXT"}));
        const std::pair<const char*, int> images[] = {
            {"..", 0}, {"alpha", 0}, {"Bild.png", 13}, {"ohne", 10}, {"readme.TXT", 12}};
        for (const auto& [caption, image] : images) {
            const auto item = List(d)->findItems(caption, Qt::MatchExactly).value(0);
            ASSERT_NE(item, nullptr) << caption;
            EXPECT_EQ(item->data(TDirDialog::kImageRole).toInt(), image) << caption;
        }
        // A file keeps the folder in the label; opening it confirms.
        Select(d, "ohne");
        Type(d, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    std::string folder = Folder("a/b");
    ASSERT_TRUE(ChooseDirectory(folder, "Datei öffnen"));
    EXPECT_EQ(folder, Folder("a/b"));
}

TEST_F(DirDialog, DotDotShowsTheParentWithTheFolderLeftSelectedAndAtTheRootTheDrives) {
    WhenShown("DirDialog", [this](QDialog& d) {
        Select(d, "..");
        Type(d, Qt::Key_Return);
        EXPECT_EQ(dynamic_cast<TDirDialog&>(d).CurrentFolder(), Folder("a"));
        EXPECT_EQ(Selected(d), "b");
        EXPECT_EQ(LabelText(d).toStdString(), Folder("a/b"));
        // Click on a folder: the label names it.
        Select(d, "c");
        EXPECT_EQ(LabelText(d).toStdString(), Folder("a/c"));
        Select(d, "..");
        EXPECT_EQ(LabelText(d).toStdString(), Folder("a"));
        Button(d, "Abbruchbutton")->click();
    });
    std::string folder = Folder("a/b");
    EXPECT_FALSE(ChooseDirectory(folder, ""));
    // Closing keeps the label's folder, also when cancelled.
    EXPECT_EQ(AppInfo.LastFolder, Folder("a"));

    WhenShown("DirDialog", [](QDialog& d) {
        Select(d, "..");
        emit List(d)->itemDoubleClicked(List(d)->currentItem());
        EXPECT_EQ(SelectedRoot(d), "/");
        EXPECT_EQ(LabelText(d), "/");
        Button(d, "Abbruchbutton")->click();
    });
    folder = "/";
    EXPECT_FALSE(ChooseDirectory(folder, ""));
}

TEST_F(DirDialog, KeysOpenTheItemShowTheDrivesAndAskForANewFolder) {
    WhenShown("DirDialog", [this](QDialog& d) {
        Select(d, "b");
        Type(d, Qt::Key_Return);
        EXPECT_EQ(LabelText(d).toStdString(), Folder("a/b"));
        EXPECT_EQ(Selected(d), "..");

        WhenShown("NeuerOrdnerDialog", [](QDialog& input) {
            EXPECT_EQ(input.windowTitle(), "Neues Verzeichnis");
            auto& asText = static_cast<QInputDialog&>(input);
            EXPECT_EQ(asText.labelText(), "Name");
            EXPECT_EQ(asText.textValue(), "");
            asText.setTextValue("  Neu  ");
            asText.accept();
        });
        Type(d, Qt::Key_N, "n");
        EXPECT_TRUE(FolderExists(Folder("a/b/Neu")));
        EXPECT_TRUE(Captions(d).contains("Neu"));

        // The drives, with the drive of the folder shown selected.
        Type(d, Qt::Key_Backslash, "\\");
        EXPECT_EQ(SelectedRoot(d).toStdString(),
                  DriveRootOf(Folder("a/b"), platform::MountPoints()));
        EXPECT_FALSE(Button(d, "NeuerOrdnerBtn")->isEnabled());
        // "n" does nothing while there is no folder to create it in.
        Type(d, Qt::Key_N, "n");
        EXPECT_EQ(test::OpenDialog("NeuerOrdnerDialog"), nullptr);
        Button(d, "Abbruchbutton")->click();
    });
    std::string folder = Folder("a");
    EXPECT_FALSE(ChooseDirectory(folder, ""));
}

TEST_F(DirDialog, NewFolderNameWithASeparatorOrColonShowsTheNoticeAndCreatesNothing) {
    const struct {
        const char* name;
        const char* notice;
    } cases[] = {
        {"a:b", "Name darf kein \":\" enthalten."},
        {"x/y:z", "Name darf kein \"/\" enthalten."},
        {"p\\q/r", "Name darf kein \"\\\" enthalten."},
    };
    for (const auto& c : cases) {
        test::ScriptedPrompts prompts;
        prompts.Expect(ExpectedPrompt(c.notice, 0));
        WhenShown("DirDialog", [&c](QDialog& d) {
            WhenShown("NeuerOrdnerDialog", [&c](QDialog& input) {
                static_cast<QInputDialog&>(input).setTextValue(c.name);
                input.accept();
            });
            Button(d, "NeuerOrdnerBtn")->click();
            Button(d, "Abbruchbutton")->click();
        });
        std::string folder = Folder("a/c");
        EXPECT_FALSE(ChooseDirectory(folder, ""));
        EXPECT_TRUE(FolderIsEmpty(Folder("a/c"))) << c.name;
        EXPECT_FALSE(fs::exists(Folder("a/c") + "a")) << c.name;
    }
}

TEST_F(DirDialog, OkIsDisabledWhileTheLabelIsEmpty) {
    TDirDialog& chooser = CreateDirDialog(nullptr);
    chooser.SetMountSource([] { return std::vector<platform::MountPoint>{}; });
    WhenShown("DirDialog", [](QDialog& d) {
        EXPECT_EQ(List(d)->count(), 0);
        EXPECT_EQ(LabelText(d), "");
        EXPECT_FALSE(Button(d, "Okbutton")->isEnabled());
        // Enter on the empty list does nothing.
        Type(d, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        Button(d, "Abbruchbutton")->click();
    });
    std::string folder;
    EXPECT_FALSE(ChooseDirectory(folder, ""));
    EXPECT_EQ(AppInfo.LastFolder, "");
}

TEST_F(DirDialog, StartFolderOnAMountPointThatIsMissingAsksUntilCancelled) {
    const std::string usb = Folder("media/usb");
    TDirDialog& chooser = CreateDirDialog(nullptr);
    chooser.SetMountSource([usb] {
        return std::vector<platform::MountPoint>{
            {"/", "ext4", "/dev/sda1", platform::DriveKind::Fixed},
            {usb, "vfat", "/dev/sdb1", platform::DriveKind::Removable}};
    });
    test::ScriptedPrompts prompts;
    ExpectedPrompt question("Laufwerk " + usb + " ist nicht bereit.", 0);  // wiederholen
    question.buttons = std::vector<std::string>{"&Wiederholen", AppInfo.CaptionCancel};
    prompts.Expect(question);
    question.answer = 1;  // abbrechen
    prompts.Expect(question);
    WhenShown("DirDialog", [usb](QDialog& d) {
        EXPECT_EQ(Captions(d), QStringList({"/", QString::fromStdString(usb + "  Floppy")}));
        EXPECT_EQ(SelectedRoot(d), "/");
        Button(d, "Abbruchbutton")->click();
    });
    std::string folder = usb;
    EXPECT_FALSE(ChooseDirectory(folder, ""));
}

TEST_F(DirDialog, ConfirmingAFolderThatVanishedAsksAndCancelKeepsTheChooserOpen) {
    test::ScriptedPrompts prompts;
    ExpectedPrompt question("Laufwerk " + Folder("a/c") + " ist nicht bereit.", 1);
    question.buttons = std::vector<std::string>{"wiederholen", AppInfo.CaptionCancel};
    prompts.Expect(question);
    WhenShown("DirDialog", [this](QDialog& d) {
        Select(d, "c");
        fs::remove(root_.At("a/c"));
        Button(d, "Okbutton")->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(dynamic_cast<TDirDialog&>(d).CurrentFolder(), "");
        // The chooser now shows the drives.
        EXPECT_FALSE(SelectedRoot(d).isEmpty());
        Button(d, "Abbruchbutton")->click();
    });
    std::string folder = Folder("a");
    EXPECT_FALSE(ChooseDirectory(folder, ""));
}

TEST_F(DirDialog, KeepsItsFolderBetweenCallsAndTakesLastFolderWhenCreated) {
    AppInfo.LastFolder = Folder("a/c");
    WhenShown("DirDialog", [this](QDialog& d) {
        EXPECT_EQ(LabelText(d).toStdString(), Folder("a/c"));
        Select(d, "..");
        Type(d, Qt::Key_Return);
        Select(d, "b");
        Button(d, "Okbutton")->click();
    });
    std::string folder;
    ASSERT_TRUE(ChooseDirectory(folder, ""));
    EXPECT_EQ(folder, Folder("a/b"));
    EXPECT_EQ(AppInfo.LastFolder, Folder("a/b"));

    AppInfo.LastFolder.clear();  // read once, at creation
    WhenShown("DirDialog", [this](QDialog& d) {
        EXPECT_EQ(LabelText(d).toStdString(), Folder("a/b"));
        Button(d, "Okbutton")->click();
    });
    folder.clear();
    ASSERT_TRUE(ChooseDirectory(folder, ""));
    EXPECT_EQ(folder, Folder("a/b"));
}

}  // namespace
}  // namespace tavo
