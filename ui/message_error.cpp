#include "ui/message_error.h"

#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "ui/message_dlg_pictures.h"
#include "ui/ui_style.h"

namespace tavo {
namespace {

constexpr int kMargin = 10;
constexpr int kButtonGap = 20;
constexpr int kTallMessage = 100;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, tbild picture) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setIcon(PictureIcon(picture));
    button->setAutoDefault(false);
    button->resize(std::max(button->sizeHint().width(), 60), button->sizeHint().height());
    return button;
}

}  // namespace

TMessageError::TMessageError(const std::string& message) {
    CreateControls(message);
    Layout();
    UpdateMailButton();
}

TMessageError::~TMessageError() = default;

void TMessageError::CreateControls(const std::string& message) {
    window_ = std::make_unique<QDialog>();
    window_->setObjectName("TMessageError");
    window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window_->setModal(true);
    window_->setWindowTitle("Sie haben einen Fehler in der Software gefunden");

    heading_ = new QLabel(
        "Bitte schicken Sie uns die folgende Fehlermeldung, damit wir den Fehler beheben "
        "können:",
        window_.get());
    heading_->setObjectName("HeadingLabel");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);

    message_ = new QLabel(QString::fromStdString(message).replace("\r\n", "\n"), window_.get());
    message_->setObjectName("MessageLabel");
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    memoCaption_ = new QLabel("Wo und wie kann der Fehler ausgelöst werden?", window_.get());
    memoCaption_->setObjectName("DescriptionCaption");
    memo_ = new QPlainTextEdit(window_.get());
    memo_->setObjectName("DescriptionMemo");
    memo_->setTabChangesFocus(true);
    QObject::connect(memo_, &QPlainTextEdit::textChanged, [this] { UpdateMailButton(); });

    mail_ = MakeButton(window_.get(), "MailButton", "per E-Mail", bi_mail);
    copy_ = MakeButton(window_.get(), "CopyButton", "in die Zwischenablage kopieren", bi_copy);
    cancel_ = MakeButton(window_.get(), "CancelButton", "nicht schicken", bi_cancel);
    QObject::connect(mail_, &QPushButton::clicked, [this] { Choose(ErrorReportChoice::Mail); });
    QObject::connect(copy_, &QPushButton::clicked,
                     [this] { Choose(ErrorReportChoice::Clipboard); });
    // Esc rejects the dialog, which is what "nicht schicken" does.
    QObject::connect(cancel_, &QPushButton::clicked, [this] { window_->reject(); });
}

void TMessageError::Layout() {
    heading_->setWordWrap(true);
    const int headingWidth = kClientWidth - 2 * kMargin;
    heading_->setGeometry(kMargin, kMargin, headingWidth, heading_->heightForWidth(headingWidth));
    const int top = heading_->geometry().bottom() + 1 + kMargin;
    int messageWidth = kClientWidth - 2 * kMargin;
    int messageHeight = message_->heightForWidth(messageWidth);
    if (messageHeight > kTallMessage) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        messageWidth = std::max(messageWidth, (screen ? screen->geometry().width() : 1024) * 3 / 4);
        messageHeight = message_->heightForWidth(messageWidth);
    }
    message_->setGeometry(kMargin, top, messageWidth, messageHeight);
    const int width = std::max(kClientWidth, messageWidth + 2 * kMargin);

    const int memoTop = top + messageHeight + 30;
    memoCaption_->adjustSize();
    memoCaption_->move(kMargin, memoTop - memoCaption_->height() - 2);
    memo_->setGeometry(kMargin, memoTop, width - 2 * kMargin, kMemoHeight);

    // The buttons stand at the bottom of the window, below the memo.
    const int height =
        std::max(kClientHeight, memoTop + kMemoHeight + 2 * kMargin + mail_->height() + kMargin);
    const int buttonsTop = height - kMargin - mail_->height();
    const int total = mail_->width() + copy_->width() + cancel_->width() + 2 * kButtonGap;
    int x = (width - total) / 2;
    for (QPushButton* button : {mail_, copy_, cancel_}) {
        button->move(x, buttonsTop);
        x += button->width() + kButtonGap;
    }
    window_->setFixedSize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window_->move(screen->geometry().center() - QPoint(width / 2, height / 2));
}

void TMessageError::UpdateMailButton() {
    mail_->setEnabled(memo_->toPlainText().length() >= kFilledLength);
}

void TMessageError::Choose(ErrorReportChoice choice) {
    choice_ = choice;
    window_->accept();
}

ErrorReportAnswer TMessageError::Execute() {
    choice_ = ErrorReportChoice::NotSent;
    ApplyUiStyleToOpenForms();
    window_->exec();
    ErrorReportAnswer answer;
    answer.choice = choice_;
    answer.description = memo_->toPlainText().replace("\n", "\r\n").toStdString();
    return answer;
}

}  // namespace tavo
