#include "ui/message_dlg_pictures.h"

#include <QApplication>
#include <QStyle>

namespace tavo {

QIcon PictureIcon(tbild picture) {
    // Any icons will do; these come with the style.
    QStyle::StandardPixmap pixmap;
    switch (picture) {
        case bi_ok:
            pixmap = QStyle::SP_DialogOkButton;
            break;
        case bi_cancel:
            pixmap = QStyle::SP_DialogCancelButton;
            break;
        case bi_retry:
            pixmap = QStyle::SP_BrowserReload;
            break;
        case bi_update:
            pixmap = QStyle::SP_ArrowUp;
            break;
        case bi_save:
            pixmap = QStyle::SP_DialogSaveButton;
            break;
        case bi_copy:
            pixmap = QStyle::SP_FileDialogDetailedView;
            break;
        case bi_setup:
            pixmap = QStyle::SP_ComputerIcon;
            break;
        case bi_mail:
            pixmap = QStyle::SP_FileDialogContentsView;
            break;
        case bi_www:
            pixmap = QStyle::SP_DriveNetIcon;
            break;
        case bi_Server:
            pixmap = QStyle::SP_DriveHDIcon;
            break;
        case bi_Server_red:
            pixmap = QStyle::SP_MessageBoxCritical;
            break;
        default:
            return {};
    }
    return QApplication::style()->standardIcon(pixmap);
}

}  // namespace tavo
