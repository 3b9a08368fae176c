#pragma once

#include <QTreeWidget>

#include "shell/step_list.h"

namespace tavo {

// The list view of a step list: one word-wrapped column "Schritt", a green, yellow or red
// mark by state, the newest line selected and in view, repainted at once after a change
// (the installation runs without returning to the message loop).
class TStepListView : public QTreeWidget {
  public:
    explicit TStepListView(QWidget* parent);
    ~TStepListView() override;

    // Shows the list and follows its changes until the view goes.
    void Bind(TStepList& list);
    void Refresh();

    // The colour of a state's mark; invalid for the state without mark.
    static QColor MarkColour(std::int16_t state);

  private:
    TStepList* list_ = nullptr;
};

}  // namespace tavo
