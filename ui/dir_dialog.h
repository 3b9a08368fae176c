#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "platform/mounts.h"

class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tavo {

// The component library's folder chooser: one list that shows either the drives (mount
// points) of the PC or the sub-folders of one folder, a label with the folder OK returns and
// a button that creates a new folder. It lives from program start to program end and keeps
// its current folder between calls.
class TDirDialog : public QDialog {
  public:
    // Where the drive view takes its mount points from; the platform's list by default.
    using MountSource = std::function<std::vector<platform::MountPoint>()>;

    explicit TDirDialog(QWidget* owner = nullptr);

    // The folder the chooser shows ("/"-terminated; empty: the drive view).
    const std::string& CurrentFolder() const { return currentFolder_; }
    void SetCurrentFolder(const std::string& folder) { currentFolder_ = folder; }
    // The caption text of the current call; one that begins with "Datei" asks for a file.
    void SetCaptionText(const std::string& caption) { captionText_ = caption; }
    bool FileMode() const { return fileMode_; }
    void SetMountSource(MountSource source) { mounts_ = std::move(source); }

    // Item data of the list: the image index, for drive items the mount point.
    static constexpr int kImageRole = Qt::UserRole + 1;
    static constexpr int kRootRole = Qt::UserRole + 2;

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildLayout();
    void FormShow();
    void FillList();
    bool ResolveMissingFolder();
    void FillFolderView();
    void FillDriveView();
    void SelectItem(QListWidgetItem* item);
    void SelectDriveOf(const std::string& folder);
    void ListClick();
    void listDblClick();
    void BitBtn1Click();
    void NeuerOrdnerBtnClick();
    bool FormCloseQuery(int result);
    void FormClose();
    bool InDriveView() const { return currentFolder_.empty(); }
    std::vector<platform::MountPoint> Mounts() const;

    QFrame* Panel1_ = nullptr;
    QPushButton* BitBtn1_ = nullptr;
    QLabel* Label1_ = nullptr;
    QListWidget* List_ = nullptr;
    QFrame* Panel2_ = nullptr;
    QPushButton* Okbutton_ = nullptr;
    QPushButton* Abbruchbutton_ = nullptr;
    QPushButton* NeuerOrdnerBtn_ = nullptr;

    std::string currentFolder_;
    std::string captionText_;
    bool fileMode_ = false;
    MountSource mounts_;
};

// The chooser of the program: created by the program entry, or by ChooseDirectory on first
// use, owned by the given window. One created without an owner is freed by FreeDirDialog,
// at the latest when the application's loop ends.
TDirDialog& CreateDirDialog(QWidget* owner);
TDirDialog* DirDialog();
void FreeDirDialog();

// Shows the chooser modally. An empty folder starts where the chooser was left; an empty
// caption chooses a folder, one that begins with "Datei" a file. True when the user
// confirmed; folder then holds the chosen folder with trailing "/".
bool ChooseDirectory(std::string& folder, const std::string& caption);

}  // namespace tavo
