#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QDialog>

#include "foundation/dialogs.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavo {

// The question of AskFeedbackMail: the kind of message ("Mitteilungsart") and a subject
// ("Betreff:", filled from 2 characters on, which enables confirming).
class TFeedbackDialog {
  public:
    explicit TFeedbackDialog(const FeedbackRequest& request);
    ~TFeedbackDialog();
    TFeedbackDialog(const TFeedbackDialog&) = delete;
    TFeedbackDialog& operator=(const TFeedbackDialog&) = delete;

    // Shows the dialog modally; the chosen kind and subject, nothing when not confirmed.
    std::optional<FeedbackAnswer> Execute();

    QDialog* Window() const { return window_.get(); }
    const std::vector<QRadioButton*>& Items() const { return items_; }
    QLineEdit* SubjectEdit() const { return subject_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    static constexpr int kFilledLength = 2;

  private:
    void UpdateOkButton();

    std::unique_ptr<QDialog> window_;
    std::vector<QRadioButton*> items_;
    std::vector<std::string> itemTexts_;
    QLineEdit* subject_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace tavo
