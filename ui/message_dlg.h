#pragma once

#include <memory>
#include <vector>

#include <QDialog>

#include "foundation/dialogs.h"

class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace tavo {

// The modal message dialog behind AskUser and its siblings: the kind's icon, the text, the
// buttons the foundation decided, a copy button. Created in code for one question and freed
// afterwards. Layout: icon at 16/10, text at 60/16 (wrapped at three fifths of the screen
// when wider than three quarters), a 38-pixel button panel along the bottom with the
// buttons centred 20 apart, the copy button at its top right.
class TMessageDlg {
  public:
    explicit TMessageDlg(const DialogRequest& request);
    ~TMessageDlg();
    TMessageDlg(const TMessageDlg&) = delete;
    TMessageDlg& operator=(const TMessageDlg&) = delete;

    // Sounds the kind's sound, applies the theme, shows the dialog modally and answers the
    // chosen button's position, -1 when it was closed without a button.
    int Execute();

    // The text the copy button, Ctrl+C and Ctrl+Insert put on the clipboard.
    QString CopyText() const;
    void CopyToClipboard() const;

    QDialog* Window() const { return window_.get(); }
    QLabel* TextLabel() const { return label_; }
    QLabel* IconImage() const { return icon_; }
    QWidget* ButtonPanel() const { return panel_; }
    QToolButton* CopyButton() const { return copyButton_; }
    const std::vector<QPushButton*>& Buttons() const { return buttons_; }
    int Result() const { return result_; }

    static constexpr int kPanelHeight = 38;
    static constexpr int kButtonGap = 20;
    static constexpr int kMinButtonWidth = 60;

  private:
    class Frame;

    void CreateWindow();
    void CreateButtons(const std::vector<DialogButton>& buttons);
    void Layout();
    void Choose(int position);
    void PressEscape();

    std::unique_ptr<QDialog> window_;
    QLabel* icon_ = nullptr;
    QLabel* label_ = nullptr;
    QWidget* panel_ = nullptr;
    QToolButton* copyButton_ = nullptr;
    std::vector<QPushButton*> buttons_;
    int escapeButton_ = -1;
    tbild picture_ = bi_none;
    QString title_;
    QString text_;
    std::uint8_t kind_ = kKindInformation;
    int result_ = -1;
};

// Installs the Qt dialogs as the program's prompt handler, error report, feedback question
// and clipboard. The shell calls this once at start, after the QApplication exists.
void InstallQtPromptHandler();

}  // namespace tavo
