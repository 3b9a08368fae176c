#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "foundation/dialogs.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tavo {

// The internal-error report window: the message, a memo for how the error came about, and
// "per E-Mail" (enabled once the memo holds 10 characters), "in die Zwischenablage
// kopieren" and "nicht schicken". It only asks; the foundation builds and hands over the
// report.
class TMessageError {
  public:
    explicit TMessageError(const std::string& message);
    ~TMessageError();
    TMessageError(const TMessageError&) = delete;
    TMessageError& operator=(const TMessageError&) = delete;

    // Shows the window modally; the choice and the description typed (CR LF line ends).
    ErrorReportAnswer Execute();

    QDialog* Window() const { return window_.get(); }
    QLabel* MessageLabel() const { return message_; }
    QPlainTextEdit* DescriptionMemo() const { return memo_; }
    QPushButton* MailButton() const { return mail_; }
    QPushButton* CopyButton() const { return copy_; }
    QPushButton* CancelButton() const { return cancel_; }

    static constexpr int kClientWidth = 540;
    static constexpr int kClientHeight = 400;
    static constexpr int kMemoHeight = 200;
    static constexpr int kFilledLength = 10;

  private:
    void CreateControls(const std::string& message);
    void Layout();
    void UpdateMailButton();
    void Choose(ErrorReportChoice choice);

    std::unique_ptr<QDialog> window_;
    QLabel* heading_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* memoCaption_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* mail_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* cancel_ = nullptr;
    ErrorReportChoice choice_ = ErrorReportChoice::NotSent;
};

}  // namespace tavo
