#include "shell/mainform.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "shell/setup_state.h"
#include "tests/support/temp_root.h"
#include "ui/ui_style.h"

namespace tavo {
namespace {

class MainformTest : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        AppInfo.ProgramTitle = "Zelvo Verbindomat - Setup";
    }
    void TearDown() override { test::ResetFoundationState(); }

    // Showing the form runs the start-up checks, which write to the registry and the
    // temporary folder: they stay inside a private root.
    test::TempRoot root_;
};

TEST_F(MainformTest, HasTheFixedClientAreaWithStatusBarAndPanel) {
    TMainform form;
    form.FormCreate();
    form.show();
    QApplication::processEvents();

    EXPECT_EQ(form.windowTitle().toStdString(), "Zelvo Verbindomat - Setup");
    EXPECT_EQ(form.size(), QSize(600, 460));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());  // a fixed border
    EXPECT_TRUE(SetupState.installMode);
    EXPECT_EQ(SetupState.stateOk, 147);
    EXPECT_EQ(SetupState.stateOpen, 148);
    EXPECT_EQ(SetupState.stateError, 149);

    const auto* bar = form.findChild<TStatusBar*>("StatusBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(0, 439, 600, 21));
    ASSERT_EQ(bar->PanelCount(), 1);
    EXPECT_EQ(bar->PanelText(0), "Ok");
    const auto* panel = form.findChild<QFrame*>("Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 600, 439));
    EXPECT_EQ(Mainform, &form);
}

TEST_F(MainformTest, ScreenshotShowsTheWhiteFaceAndTheStatusBar) {
    SwitchUiStyleOn(Qt::white);
    TMainform form;
    form.FormCreate();
    form.show();
    form.FormShow();
    QApplication::processEvents();

    const QImage shot = form.grab().toImage();
    shot.save("mainform.png");  // kept beside the test for a look
    ASSERT_EQ(shot.size(), QSize(600, 460));
    EXPECT_EQ(QColor(shot.pixel(300, 200)), QColor(Qt::white));
    // The status bar's top edge is drawn at its first row.
    EXPECT_NE(QColor(shot.pixel(300, 439)), QColor(Qt::white));
    EXPECT_EQ(QColor(shot.pixel(300, 438)), QColor(Qt::white));
}

TEST_F(MainformTest, OrderlyEndClosesWithoutQuestion) {
    TMainform form;
    form.FormCreate();
    form.show();
    QApplication::processEvents();
    OrderlyEnd();
    QApplication::processEvents();
    EXPECT_TRUE(Terminating);
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace tavo
