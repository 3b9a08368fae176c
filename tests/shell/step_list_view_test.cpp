#include "shell/step_list_view.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "shell/mainform.h"
#include "shell/status_line.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

class StepListView : public testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    void TearDown() override { SetActiveStepList(nullptr); }
};

TEST_F(StepListView, ShowsEveryLineWithItsMarkAndTheNewestInView) {
    TStepList list;
    SetActiveStepList(&list);
    TStepListView view(nullptr);
    view.resize(300, 120);
    view.Bind(list);
    view.show();
    for (int i = 0; i < 20; ++i) AddStep("Schritt " + std::to_string(i), kStepOpen);
    AddStepResult(false);
    ASSERT_EQ(view.topLevelItemCount(), 20);
    EXPECT_EQ(view.headerItem()->text(0), "Schritt");
    QTreeWidgetItem* last = view.topLevelItem(19);
    EXPECT_EQ(last->text(0), "Schritt 19 -> Fehler");
    EXPECT_EQ(last->data(0, Qt::UserRole).toInt(), kStepError);
    EXPECT_EQ(view.currentItem(), last);
    EXPECT_TRUE(view.visualItemRect(last).intersects(view.viewport()->rect()));
    EXPECT_FALSE(last->icon(0).isNull());
    EXPECT_EQ(TStepListView::MarkColour(kStepOk).green(), 160);
    EXPECT_FALSE(TStepListView::MarkColour(kStepNone).isValid());
    list.Clear();
    EXPECT_EQ(view.topLevelItemCount(), 0);
}

TEST_F(StepListView, TheStatusPanelWarnsWhiteOnRed) {
    TMainform form;
    form.FormCreate();
    form.show();
    SetStatusText("Pfad %a fehlt|/opt/x", true);
    EXPECT_EQ(form.StatusBar()->PanelText(0), "Achtung: Pfad /opt/x fehlt");
    const QImage warned = form.grab().toImage();
    EXPECT_EQ(QColor(warned.pixel(300, 455)), QColor(Qt::red));
    SetStatusText("Bereit", false);
    EXPECT_EQ(form.StatusBar()->PanelText(0), "Bereit");
    const QImage plain = form.grab().toImage();
    EXPECT_NE(QColor(plain.pixel(300, 455)), QColor(Qt::red));
}

}  // namespace
}  // namespace tavo
