#include "ui/message_dlg.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include "foundation/app_info.h"
#include "ui/feedback_dialog.h"
#include "ui/message_dlg_pictures.h"
#include "ui/message_error.h"
#include "ui/ui_style.h"

namespace tavo {
namespace {

QStyle::StandardPixmap KindIcon(std::uint8_t kind) {
    switch (kind) {
        case kKindWarning:
            return QStyle::SP_MessageBoxWarning;
        case kKindError:
            return QStyle::SP_MessageBoxCritical;
        case kKindConfirmation:
            return QStyle::SP_MessageBoxQuestion;
        default:
            return QStyle::SP_MessageBoxInformation;
    }
}

int ScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1024;
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

}  // namespace

// The dialog window: Esc presses the Esc button (and does nothing without one), Ctrl+C and
// Ctrl+Insert copy, the close box closes without a button.
class TMessageDlg::Frame : public QDialog {
  public:
    explicit Frame(TMessageDlg& owner) : owner_(owner) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            owner_.PressEscape();
        } else if (ctrl && (event->key() == Qt::Key_C || event->key() == Qt::Key_Insert)) {
            owner_.CopyToClipboard();
        } else {
            QDialog::keyPressEvent(event);
        }
    }

  private:
    TMessageDlg& owner_;
};

TMessageDlg::TMessageDlg(const DialogRequest& request)
    : picture_(request.picture),
      title_(QString::fromStdString(request.title)),
      text_(FromUtf8(request.text)),
      kind_(request.kind) {
    CreateWindow();
    CreateButtons(request.buttons);
    Layout();
}

TMessageDlg::~TMessageDlg() = default;

void TMessageDlg::CreateWindow() {
    window_ = std::make_unique<Frame>(*this);
    window_->setObjectName("MessageDlg");
    window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window_->setModal(true);
    window_->setWindowTitle(title_);
    const QIcon picture = PictureIcon(picture_);
    if (!picture.isNull())
        window_->setWindowIcon(picture);
    else if (!AppInfo.AppIcon.empty())
        window_->setWindowIcon(QIcon(QString::fromStdString(AppInfo.AppIcon)));

    icon_ = new QLabel(window_.get());
    icon_->setObjectName("IconImage");
    const int size = QApplication::style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon_->setPixmap(QApplication::style()->standardIcon(KindIcon(kind_)).pixmap(size, size));
    icon_->setGeometry(16, 10, size, size);

    label_ = new QLabel(window_.get());
    label_->setObjectName("TextLabel");
    label_->setTextFormat(Qt::PlainText);  // "&" stays as it is
    label_->setAttribute(Qt::WA_TranslucentBackground);
    label_->setText(text_);
    label_->move(60, 16);

    panel_ = new QWidget(window_.get());
    panel_->setObjectName("ButtonPanel");

    copyButton_ = new QToolButton(panel_);
    copyButton_->setObjectName("CopyButton");
    copyButton_->setAutoRaise(true);
    copyButton_->setIcon(PictureIcon(bi_copy));
    copyButton_->setIconSize(QSize(14, 14));
    copyButton_->setToolTip("Text in die Zwischenablage kopieren (Ctrl+C)");
    copyButton_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(copyButton_, &QToolButton::clicked, [this] { CopyToClipboard(); });
}

void TMessageDlg::CreateButtons(const std::vector<DialogButton>& buttons) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        auto* button = new QPushButton(QString::fromStdString(buttons[i].caption), panel_);
        button->setObjectName(QString("Button%1").arg(i));
        button->setProperty("picture", int(buttons[i].picture));
        const QIcon picture = PictureIcon(buttons[i].picture);
        if (!picture.isNull()) button->setIcon(picture);
        const int position = static_cast<int>(i);
        QObject::connect(button, &QPushButton::clicked, [this, position] { Choose(position); });
        if (buttons[i].escape && escapeButton_ < 0) escapeButton_ = position;
        buttons_.push_back(button);
    }
    if (!buttons_.empty()) buttons_.front()->setDefault(true);
}

void TMessageDlg::Layout() {
    label_->adjustSize();
    const int screenWidth = ScreenWidth();
    if (label_->width() > screenWidth * 3 / 4) {
        const int width = screenWidth * 3 / 5;
        label_->setWordWrap(true);
        label_->setFixedWidth(width);
        label_->setFixedHeight(label_->heightForWidth(width));
    }
    const QRect labelRect = label_->geometry();
    if (labelRect.height() > icon_->height())
        icon_->move(16, labelRect.top() + (labelRect.height() - icon_->height()) / 2);

    int buttonsWidth = 0;
    for (QPushButton* button : buttons_) {
        button->resize(std::max(button->sizeHint().width(), kMinButtonWidth),
                       button->sizeHint().height());
        buttonsWidth += button->width();
    }
    if (!buttons_.empty()) buttonsWidth += kButtonGap * static_cast<int>(buttons_.size() - 1);

    QFont bold = window_->font();
    bold.setBold(true);
    const int titleWidth = QFontMetrics(bold).horizontalAdvance(title_);
    const int width =
        std::max({std::max(labelRect.width() + 100, 200), titleWidth + 110, buttonsWidth + 40});
    const int height = labelRect.top() + labelRect.height() + 8 + kPanelHeight + 12;

    panel_->setGeometry(0, height - kPanelHeight, width, kPanelHeight);
    int x = (width - buttonsWidth) / 2;
    for (QPushButton* button : buttons_) {
        button->move(x, 7);
        x += button->width() + kButtonGap;
    }
    copyButton_->setGeometry(width - 20, 0, 20, 16);
    copyButton_->raise();
    window_->setFixedSize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window_->move(screen->geometry().center() - QPoint(width / 2, height / 2));
}

void TMessageDlg::Choose(int position) {
    result_ = position;
    window_->accept();
}

void TMessageDlg::PressEscape() {
    if (escapeButton_ >= 0) buttons_[escapeButton_]->click();
}

QString TMessageDlg::CopyText() const {
    return "Typ:" + title_ + " - " + text_;
}

void TMessageDlg::CopyToClipboard() const {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(CopyText());
}

int TMessageDlg::Execute() {
    // The platform has one system sound for every kind.
    QApplication::beep();
    result_ = -1;
    ApplyUiStyleToOpenForms();
    window_->exec();
    return result_;
}

void InstallQtPromptHandler() {
    SetPromptHandler([](const DialogRequest& request) { return TMessageDlg(request).Execute(); });
    SetErrorReportHandler(
        [](const std::string& message) { return TMessageError(message).Execute(); });
    SetFeedbackHandler(
        [](const FeedbackRequest& request) { return TFeedbackDialog(request).Execute(); });
    SetClipboardWriter([](const std::string& text) {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(QString::fromStdString(text));
    });
}

}  // namespace tavo
