#include "ui/feedback_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "foundation/app_info.h"
#include "ui/message_dlg_pictures.h"
#include "ui/ui_style.h"

namespace tavo {

TFeedbackDialog::TFeedbackDialog(const FeedbackRequest& request)
    : window_(std::make_unique<QDialog>()), itemTexts_(request.items) {
    window_->setObjectName("TFeedbackDialog");
    window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window_->setModal(true);
    window_->setWindowTitle(QString::fromStdString(request.caption));
    QFont font = window_->font();
    font.setPointSize(10);
    window_->setFont(font);

    auto* layout = new QVBoxLayout(window_.get());
    auto* group = new QGroupBox("Mitteilungsart", window_.get());
    group->setObjectName("Mitteilungsart");
    auto* groupLayout = new QVBoxLayout(group);
    for (size_t i = 0; i < request.items.size(); ++i) {
        auto* item = new QRadioButton(QString::fromStdString(request.items[i]), group);
        item->setObjectName(QString("Mitteilungsart%1").arg(i));
        item->setChecked(i == 0);
        groupLayout->addWidget(item);
        items_.push_back(item);
    }
    layout->addWidget(group);

    auto* caption = new QLabel("Betreff:", window_.get());
    subject_ = new QLineEdit(window_.get());
    subject_->setObjectName("Betreff");
    caption->setBuddy(subject_);
    layout->addWidget(caption);
    layout->addWidget(subject_);

    auto* note = new QLabel("(danach wird Ihr E-Mail-Programm aufgerufen)", window_.get());
    note->setObjectName("Hinweis");
    QFont small = note->font();
    small.setPointSize(8);
    note->setFont(small);
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = new QPushButton(QString::fromStdString(AppInfo.CaptionOk), window_.get());
    ok_->setObjectName("OkButton");
    ok_->setIcon(PictureIcon(bi_ok));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QString::fromStdString(AppInfo.CaptionCancel), window_.get());
    cancel_->setObjectName("CancelButton");
    cancel_->setIcon(PictureIcon(bi_cancel));
    buttons->addWidget(ok_);
    buttons->addSpacing(20);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QObject::connect(subject_, &QLineEdit::textChanged, [this] { UpdateOkButton(); });
    QObject::connect(ok_, &QPushButton::clicked, window_.get(), &QDialog::accept);
    QObject::connect(cancel_, &QPushButton::clicked, window_.get(), &QDialog::reject);
    UpdateOkButton();
}

TFeedbackDialog::~TFeedbackDialog() = default;

void TFeedbackDialog::UpdateOkButton() {
    ok_->setEnabled(subject_->text().trimmed().length() >= kFilledLength);
}

std::optional<FeedbackAnswer> TFeedbackDialog::Execute() {
    ApplyUiStyleToOpenForms();
    if (window_->exec() != QDialog::Accepted) return std::nullopt;
    FeedbackAnswer answer;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->isChecked()) answer.item = itemTexts_[i];
    answer.subject = subject_->text().trimmed().toStdString();
    return answer;
}

}  // namespace tavo
