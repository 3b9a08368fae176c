#pragma once

#include <QWidget>

#include "forms/mainform_form.h"

class QPainter;
class QSocketNotifier;

namespace tavo {

// The setup's main window. The wizard frame of the run mode is placed into Panel1.
class TMainform : public QWidget {
  public:
    TMainform();
    ~TMainform() override;

    void FormCreate();
    void FormShow();
    // The close question, unless the program is ending in order; logs the decision.
    void FormCloseQuery(bool& canClose);

    TStatusBar* StatusBar() const { return components_.StatusBar; }
    QFrame* Panel1() const { return components_.Panel1; }

    // Brings the window to the front, as a second start of the setup asks.
    void BringToFront();

    // Draws the status panel: white on red while the status line warns, else black.
    void StatusBarDrawPanel(QPainter& painter, const QRect& rect) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void PlaceWizardFrame();
    void ListenForSecondStart();
    void FollowStatusLine();

    MainformComponents components_;
    bool shown_ = false;
};

// The one global reference through which the frames reach the main window.
extern TMainform* Mainform;

// Ends the program without the close question.
void OrderlyEnd();

}  // namespace tavo
