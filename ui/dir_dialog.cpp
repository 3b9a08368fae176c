#include "ui/dir_dialog.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "foundation/app_info.h"
#include "foundation/dialogs.h"
#include "foundation/folder_ops.h"
#include "foundation/log.h"
#include "foundation/text.h"
#include "foundation/translate.h"
#include "ui/drive_items.h"
#include "ui/file_images.h"
#include "ui/message_dlg_pictures.h"
#include "ui/ui_style.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

constexpr int kPanel1Height = 30;
constexpr int kPanel2Height = 38;
constexpr int kLabelLeft = 95;
constexpr int kDriveColumnWidth = 350;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
std::string S(const QString& text) {
    return text.toStdString();
}

struct FolderEntry {
    std::string name;
    QString upper;
    bool folder = false;
};

// ".." stays in front; then folders, then files, each group by the upper-cased name.
bool EntryBefore(const FolderEntry& a, const FolderEntry& b) {
    if (a.folder != b.folder) return a.folder;
    const int order = QString::compare(a.upper, b.upper, Qt::CaseSensitive);
    return order != 0 ? order < 0 : a.name < b.name;
}

std::vector<FolderEntry> ReadFolder(const std::string& folder, bool withFiles) {
    std::vector<FolderEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        FolderEntry entry;
        entry.name = it->path().filename().string();
        if (entry.name.empty() || entry.name[0] == '.') continue;
        std::error_code typeError;
        entry.folder = it->is_directory(typeError);
        if (!entry.folder && !withFiles) continue;
        entry.upper = Q(entry.name).toUpper();
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), EntryBefore);
    return entries;
}

// The parent of a "/"-terminated folder, up to and including the "/" before the last one.
std::string ParentFolder(const std::string& folder) {
    const size_t slash =
        folder.size() >= 2 ? folder.rfind('/', folder.size() - 2) : std::string::npos;
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string LastLevel(const std::string& folder) {
    const std::string parent = ParentFolder(folder);
    return folder.substr(parent.size(), folder.size() - parent.size() - 1);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QIcon icon) {
    auto* button = new QPushButton(icon, QString::fromUtf8(caption), parent);  // owned by parent
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

struct ChooserState {
    QPointer<TDirDialog> dialog;
    std::unique_ptr<TDirDialog> unowned;  // a chooser created without an owner window
};

ChooserState& Chooser() {
    static ChooserState state;
    return state;
}

QWidget* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "Mainform") return widget;
    return nullptr;
}

}  // namespace

TDirDialog::TDirDialog(QWidget* owner) : QDialog(owner), mounts_(platform::MountPoints) {
    setObjectName("DirDialog");
    BuildLayout();
    // FormCreate
    WriteLog("DirDialog", 0);
    currentFolder_ = AppInfo.LastFolder;
}

void TDirDialog::BuildLayout() {
    resize(431, 303);
    setMinimumSize(400, 300);
    setWindowTitle(QString::fromUtf8("Verzeichnis wählen..."));
    QFont font;
    font.setFamilies({"MS Sans Serif", "DejaVu Sans", "Sans Serif"});
    font.setPointSize(8);
    setFont(font);

    auto* layout = new QVBoxLayout(this);  // owned by the form
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(0);

    Panel1_ = new QFrame(this);
    Panel1_->setObjectName("Panel1");
    Panel1_->setFrameShape(QFrame::NoFrame);
    Panel1_->setFixedHeight(kPanel1Height);
    auto* top = new QHBoxLayout(Panel1_);
    top->setContentsMargins(0, 2, 2, 2);
    top->setSpacing(0);
    BitBtn1_ = MakeButton(Panel1_, "BitBtn1", "Arbeitsplatz",
                          style()->standardIcon(QStyle::SP_DesktopIcon));
    BitBtn1_->setToolTip("zum Arbeitsplatz wechseln");
    BitBtn1_->setFixedWidth(kLabelLeft - 5);
    Label1_ = new QLabel(Panel1_);
    Label1_->setObjectName("Label1");
    Label1_->setTextFormat(Qt::PlainText);  // shows "&" as it is
    Label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1_->setContentsMargins(0, 5, 0, 0);
    top->addWidget(BitBtn1_);
    top->addSpacing(5);
    top->addWidget(Label1_, 1);
    layout->addWidget(Panel1_);

    List_ = new QListWidget(this);
    List_->setObjectName("List");
    List_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List_->setSelectionMode(QAbstractItemView::SingleSelection);
    List_->setIconSize(QSize(16, 16));
    // The selection stays visible while the list does not have the focus.
    QPalette palette = List_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    List_->setPalette(palette);
    List_->installEventFilter(this);
    layout->addWidget(List_, 1);

    Panel2_ = new QFrame(this);
    Panel2_->setObjectName("Panel2");
    Panel2_->setFixedHeight(kPanel2Height);
    auto* bottom = new QHBoxLayout(Panel2_);
    bottom->setContentsMargins(4, 4, 4, 4);
    Okbutton_ = MakeButton(Panel2_, "Okbutton", "&Ok", PictureIcon(bi_ok));
    Okbutton_->setDefault(true);
    Abbruchbutton_ = MakeButton(Panel2_, "Abbruchbutton", "&Abbruch", PictureIcon(bi_cancel));
    NeuerOrdnerBtn_ = MakeButton(Panel2_, "NeuerOrdnerBtn", "&neues Verzeichnis",
                                 style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    bottom->addWidget(Okbutton_);
    bottom->addWidget(Abbruchbutton_);
    bottom->addStretch(1);
    bottom->addWidget(NeuerOrdnerBtn_);
    layout->addWidget(Panel2_);

    connect(Okbutton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(Abbruchbutton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(NeuerOrdnerBtn_, &QPushButton::clicked, this, [this] { NeuerOrdnerBtnClick(); });
    connect(BitBtn1_, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(List_, &QListWidget::itemClicked, this, [this] { ListClick(); });
    connect(List_, &QListWidget::itemDoubleClicked, this, [this] { listDblClick(); });
}

std::vector<platform::MountPoint> TDirDialog::Mounts() const {
    return mounts_ ? mounts_() : std::vector<platform::MountPoint>{};
}

void TDirDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TDirDialog::FormShow() {
    fileMode_ = false;
    if (captionText_.empty()) {
        captionText_ = "Verzeichnis wählen...";
    } else if (captionText_.rfind("Datei", 0) == 0) {
        captionText_ = "Datei wählen...";
        fileMode_ = true;
    }
    setWindowTitle(Q(TranslateText(captionText_)));

    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect whole = screen->geometry();
        resize(whole.width() / 2, whole.height() / 2);
        const QRect work = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(work.center());
        move(frame.topLeft());
    }
    ApplyUiStyleToOpenForms();

    FillList();
    ListClick();
    List_->setFocus();
}

// A current folder that does not exist becomes the nearest one that does, or the drive list.
bool TDirDialog::ResolveMissingFolder() {
    const std::vector<platform::MountPoint> mounts = Mounts();
    const std::string folder = NormalizeFolder(currentFolder_);
    if (folder.empty() || folder[0] != '/') {
        currentFolder_.clear();
        return false;
    }
    if (IsDriveRoot(folder, mounts)) {
        int answer = kResultCancel;
        do {
            answer = AskUserFlags("Laufwerk %a ist nicht bereit.|" + folder, kKindError,
                                  kFlagRetry | kFlagCancel);
        } while (answer == kResultRetry && !FolderExists(folder));
        if (answer != kResultRetry) currentFolder_.clear();
        return !currentFolder_.empty();
    }
    const std::string root = DriveRootOf(folder, mounts);
    if (!FolderExists(root)) {
        currentFolder_.clear();
        return false;
    }
    std::string deepest = root;
    for (size_t next = folder.find('/', root.size()); next != std::string::npos;
         next = folder.find('/', next + 1)) {
        const std::string level = folder.substr(0, next + 1);
        if (!FolderExists(level)) break;
        deepest = level;
    }
    currentFolder_ = deepest;
    return true;
}

void TDirDialog::FillList() {
    List_->setSortingEnabled(false);
    List_->clear();
    if (!currentFolder_.empty() && !FolderExists(currentFolder_)) ResolveMissingFolder();
    if (!currentFolder_.empty())
        FillFolderView();
    else
        FillDriveView();
    Okbutton_->setEnabled(!Label1_->text().isEmpty());
    NeuerOrdnerBtn_->setEnabled(!currentFolder_.empty());
}

void TDirDialog::FillFolderView() {
    List_->setFlow(QListView::TopToBottom);
    List_->setWrapping(true);
    List_->setResizeMode(QListView::Adjust);
    currentFolder_ = NormalizeFolder(currentFolder_);
    Label1_->setText(Q(currentFolder_));

    auto* up = new QListWidgetItem(FileImage(kImageFolder), "..", List_);  // owned by the list
    up->setData(kImageRole, kImageFolder);
    for (const FolderEntry& entry : ReadFolder(currentFolder_, fileMode_)) {
        const int image = FileImageIndex(entry.name, entry.folder);
        auto* item = new QListWidgetItem(FileImage(image), Q(entry.name), List_);
        item->setData(kImageRole, image);
    }
    SelectItem(up);
}

void TDirDialog::FillDriveView() {
    List_->setFlow(QListView::TopToBottom);
    List_->setWrapping(false);
    QListWidgetItem* firstFixed = nullptr;
    for (const DriveItem& drive : DriveItems(Mounts())) {
        auto* item = new QListWidgetItem(FileImage(drive.image), Q(drive.caption), List_);
        item->setData(kImageRole, drive.image);
        item->setData(kRootRole, Q(drive.root));
        item->setSizeHint(QSize(kDriveColumnWidth, item->sizeHint().height()));
        if (!firstFixed && drive.image == kImageFixed) firstFixed = item;
    }
    if (firstFixed) SelectItem(firstFixed);
}

void TDirDialog::SelectItem(QListWidgetItem* item) {
    if (!item) return;
    List_->setCurrentItem(item);
    item->setSelected(true);
    List_->scrollToItem(item);
}

void TDirDialog::SelectDriveOf(const std::string& folder) {
    const QString root = Q(DriveRootOf(folder, Mounts()));
    for (int i = 0; i < List_->count(); ++i) {
        if (List_->item(i)->data(kRootRole).toString() == root) {
            SelectItem(List_->item(i));
            return;
        }
    }
}

void TDirDialog::ListClick() {
    const QList<QListWidgetItem*> selected = List_->selectedItems();
    QListWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
    if (!item) {
        Label1_->setText(Q(currentFolder_));
    } else if (!InDriveView()) {
        const bool folder = item->data(kImageRole).toInt() == kImageFolder;
        if (item->text() == ".." || !folder)
            Label1_->setText(Q(currentFolder_));
        else
            Label1_->setText(Q(currentFolder_ + S(item->text()) + "/"));
    } else {
        Label1_->setText(item->data(kRootRole).toString());
    }
    Okbutton_->setEnabled(!Label1_->text().isEmpty());
}

void TDirDialog::listDblClick() {
    const QList<QListWidgetItem*> selected = List_->selectedItems();
    if (List_->count() == 0 || selected.isEmpty()) return;
    QListWidgetItem* item = selected.first();
    const std::string caption = S(item->text());
    if (InDriveView()) {
        currentFolder_ = S(item->data(kRootRole).toString());
        FillList();
    } else if (item->data(kImageRole).toInt() != kImageFolder) {
        if (fileMode_) {
            Okbutton_->click();
            return;
        }
    } else if (caption != "..") {
        currentFolder_ += caption + "/";
        FillList();
    } else if (currentFolder_ == "/") {
        currentFolder_.clear();
        FillList();
        SelectDriveOf("/");
    } else {
        const std::string left = LastLevel(currentFolder_);
        currentFolder_ = ParentFolder(currentFolder_);
        FillList();
        const QString wanted = Q(left).toUpper();
        QListWidgetItem* match = nullptr;
        for (int i = 0; i < List_->count(); ++i) {
            QListWidgetItem* candidate = List_->item(i);
            if (S(candidate->text()) == left) {  // the exact name first: names differ in case here
                match = candidate;
                break;
            }
            if (!match && candidate->text().toUpper() == wanted) match = candidate;
        }
        SelectItem(match);
    }
    ListClick();
}

void TDirDialog::BitBtn1Click() {
    if (!InDriveView()) {
        const std::string left = currentFolder_;
        currentFolder_.clear();
        FillList();
        SelectDriveOf(left);
    } else {
        FillList();
    }
    List_->setFocus();
    ListClick();
}

void TDirDialog::NeuerOrdnerBtnClick() {
    QInputDialog input(this);
    input.setObjectName("NeuerOrdnerDialog");
    input.setWindowTitle(Q(TranslateText("Neues Verzeichnis")));
    input.setLabelText("Name");
    input.setTextValue({});
    if (input.exec() != QDialog::Accepted) return;
    const std::string name = Trim(S(input.textValue()));
    if (name.empty()) return;
    for (const char forbidden : {'\\', '/', ':'}) {
        if (name.find(forbidden) != std::string::npos) {
            ShowNotice("Name darf kein \"%a\" enthalten.|" + std::string(1, forbidden));
            return;
        }
    }
    ForceFolder(currentFolder_ + name + "/");
    FillList();
}

bool TDirDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != List_) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyRelease) {
        ListClick();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        listDblClick();
        return true;
    }
    // The folder separator of this platform and the one the users know from elsewhere.
    if (key->text() == "\\" || key->text() == "/") {
        BitBtn1Click();
        return true;
    }
    if (key->text() == "n") {
        if (NeuerOrdnerBtn_->isEnabled()) NeuerOrdnerBtnClick();
        return true;
    }
    return false;
}

bool TDirDialog::FormCloseQuery(int result) {
    currentFolder_ = S(Label1_->text());
    if (result != QDialog::Accepted) return true;
    if (currentFolder_.empty()) return false;  // nothing chosen: OK cannot close
    if (FolderExists(currentFolder_)) return true;
    int answer = -1;
    do {
        answer = AskUser("Laufwerk %a ist nicht bereit.|" + currentFolder_, kKindError,
                         "bi_retry wiederholen|a");
    } while (answer == 0 && !FolderExists(currentFolder_));
    if (answer == 0) return true;
    // The chooser stays open with no folder chosen: it shows the drive list again.
    currentFolder_.clear();
    FillList();
    ListClick();
    return false;
}

void TDirDialog::FormClose() {
    captionText_.clear();
    AppInfo.LastFolder = currentFolder_;
}

void TDirDialog::done(int result) {
    if (!FormCloseQuery(result)) return;
    FormClose();
    QDialog::done(result);
}

TDirDialog& CreateDirDialog(QWidget* owner) {
    ChooserState& state = Chooser();
    if (state.dialog) return *state.dialog;
    if (owner) {
        state.dialog = new TDirDialog(owner);  // owned by the owner window
    } else {
        state.unowned = std::make_unique<TDirDialog>();
        state.dialog = state.unowned.get();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { FreeDirDialog(); });
    }
    return *state.dialog;
}

TDirDialog* DirDialog() {
    return Chooser().dialog.data();
}

void FreeDirDialog() {
    // A chooser with an owner window goes with that window.
    ChooserState& state = Chooser();
    if (!state.unowned) return;
    state.unowned.reset();
    state.dialog.clear();
}

bool ChooseDirectory(std::string& folder, const std::string& caption) {
    TDirDialog* chooser = DirDialog();
    if (!chooser) {
        chooser = &CreateDirDialog(MainWindow());
        ApplyUiStyleToOpenForms();
    }
    if (!folder.empty()) chooser->SetCurrentFolder(folder);
    chooser->SetCaptionText(caption);
    if (chooser->exec() != QDialog::Accepted) return false;
    folder = chooser->CurrentFolder();
    return true;
}

}  // namespace tavo
