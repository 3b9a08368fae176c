#include "ui/save_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "foundation/app_info.h"
#include "foundation/dialogs.h"
#include "foundation/folder_ops.h"

namespace tavo {
namespace {

// "*.*" means every file to the library; to Qt it would mean only names with a dot.
QString QtMask(const QString& mask) {
    const QString trimmed = mask.trimmed();
    return trimmed == "*.*" ? QString("*") : trimmed;
}

// The description without the masks it may show in brackets at its end.
QString BareDescription(const QString& description) {
    QString text = description.trimmed();
    if (text.endsWith(')')) {
        const qsizetype open = text.lastIndexOf('(');
        if (open > 0) text = text.left(open).trimmed();
    }
    return text;
}

// The save dialog that refuses a file in a folder that does not exist.
class SaveFileDialog : public QFileDialog {
  public:
    SaveFileDialog(QWidget* owner, bool pathMustExist)
        : QFileDialog(owner), pathMustExist_(pathMustExist) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (pathMustExist_ && !files.isEmpty()) {
            const std::string folder = FolderOfPath(files.first().toStdString());
            if (!folder.empty() && !FolderExists(folder)) {
                ShowNotice("Das Verzeichnis %a existiert nicht.|" + folder);
                return;
            }
        }
        QFileDialog::accept();
    }

  private:
    bool pathMustExist_;
};

}  // namespace

TMySaveDialog::TMySaveDialog(QWidget* owner) : owner_(owner) {
    InitialDir = AppInfo.LastFolder.empty() ? AppInfo.LogDir : AppInfo.LastFolder;
}

QStringList TMySaveDialog::QtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks;
        for (const QString& mask : parts[i + 1].split(';', Qt::SkipEmptyParts))
            masks << QtMask(mask);
        if (masks.isEmpty()) continue;
        filters << BareDescription(parts[i]) + " (" + masks.join(' ') + ")";
    }
    if (filters.isEmpty()) filters << "*";
    return filters;
}

void TMySaveDialog::Prepare(QFileDialog& dialog) const {
    dialog.setObjectName("MySaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(QtNameFilters(Filter));
    if (!Title.empty()) dialog.setWindowTitle(QString::fromStdString(Title));
    if (!DefaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(DefaultExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !Opts.overwritePrompt);
    dialog.setSizeGripEnabled(Opts.resizable);
    if (!InitialDir.empty()) dialog.setDirectory(QString::fromStdString(InitialDir));
    if (!FileName.empty()) dialog.selectFile(QString::fromStdString(FileName));
}

bool TMySaveDialog::Execute() {
    // A preset name that is a folder would only select that folder.
    if (!FileName.empty() && FileName.back() == '/') FileName.clear();
    SaveFileDialog dialog(owner_, Opts.pathMustExist);
    Prepare(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    FileName = dialog.selectedFiles().first().toStdString();
    AppInfo.LastFolder = FolderOfPath(FileName);
    return true;
}

}  // namespace tavo
