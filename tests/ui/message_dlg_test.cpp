#include "ui/message_dlg.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "foundation/app_info.h"
#include "foundation/dialogs_buttons.h"
#include "tests/support/temp_root.h"
#include "tests/ui/modal_helper.h"
#include "ui/message_dlg_pictures.h"

namespace tavo {
namespace {

using test::PressKey;
using test::WhenShown;

class MessageDlg : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        old_ = SetPromptHandler({});
        InstallQtPromptHandler();
    }
    void TearDown() override { SetPromptHandler(old_); }

    static DialogRequest Request(const std::string& text, std::uint8_t kind,
                                 const std::string& buttons, const std::string& title = "") {
        DialogRequest request;
        request.title = title.empty() ? KindTitle(kind) : title;
        request.text = text;
        request.rawText = text;
        request.kind = kind;
        request.buttons = MakeButtons(buttons);
        return request;
    }
    static QPushButton* Button(QDialog& dialog, int position) {
        return dialog.findChild<QPushButton*>(QString("Button%1").arg(position));
    }
    static int ScreenWidth() { return QGuiApplication::primaryScreen()->geometry().width(); }

    PromptHandler old_;
};

TEST_F(MessageDlg, YesNoShowsTheCaptionsAndAnswersPositionsOrMinusOne) {
    WhenShown("MessageDlg", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Bestätigen");
        ASSERT_NE(Button(dialog, 0), nullptr);
        ASSERT_NE(Button(dialog, 1), nullptr);
        EXPECT_EQ(Button(dialog, 2), nullptr);
        EXPECT_EQ(Button(dialog, 0)->text(), "&Ja, bitte");
        EXPECT_EQ(Button(dialog, 1)->text(), "Nein, danke");
        Button(dialog, 1)->click();
    });
    EXPECT_EQ(AskUser("Fortfahren?", kKindConfirmation, "J|N", bi_setup), 1);

    WhenShown("MessageDlg", [](QDialog& dialog) { dialog.close(); });
    EXPECT_EQ(AskUser("Fortfahren?", kKindConfirmation, "J|N", bi_setup), -1);

    WhenShown("MessageDlg", [](QDialog& dialog) {
        PressKey(dialog, Qt::Key_Escape);  // no button answers Esc here
        EXPECT_TRUE(dialog.isVisible());
        Button(dialog, 0)->click();
    });
    EXPECT_EQ(AskUser("Fortfahren?", kKindConfirmation, "J|N", bi_setup), 0);
}

TEST_F(MessageDlg, TheOnlyButtonAnswersEsc) {
    WhenShown("MessageDlg", [](QDialog& dialog) {
        EXPECT_EQ(Button(dialog, 0)->text(), "&Ok");
        Button(dialog, 0)->setFocus();  // the key reaches the button first
        ASSERT_EQ(dialog.focusWidget(), Button(dialog, 0));
        PressKey(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(AskUser("Hinweis", kKindInformation, "o"), 0);
}

TEST_F(MessageDlg, FlagsShowRetryThenCancelAndAnswerTheirCodes) {
    const auto check = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Fehler");
        EXPECT_EQ(Button(dialog, 0)->text(), "&Wiederholen");
        EXPECT_EQ(Button(dialog, 1)->text(), "&Abbrechen");
    };
    WhenShown("MessageDlg", [&](QDialog& dialog) {
        check(dialog);
        Button(dialog, 0)->click();
    });
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultRetry);
    WhenShown("MessageDlg", [&](QDialog& dialog) {
        check(dialog);
        PressKey(dialog, Qt::Key_Escape);  // the cancel caption answers Esc
    });
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultCancel);
    WhenShown("MessageDlg", [](QDialog& dialog) { dialog.close(); });
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultCancel);
}

TEST_F(MessageDlg, PictureCaptionsShowThePictureAndTheRestOfTheCaption) {
    TMessageDlg dlg(
        Request("Veraltet", kKindWarning, "Trotzdem fortsetzen|bi_www auf neue Version prüfen|a"));
    ASSERT_EQ(dlg.Buttons().size(), 3u);
    EXPECT_EQ(dlg.Buttons()[1]->text(), "auf neue Version prüfen");
    EXPECT_FALSE(dlg.Buttons()[1]->icon().isNull());
    EXPECT_EQ(dlg.Buttons()[1]->property("picture").toInt(), bi_www);
    EXPECT_EQ(dlg.Buttons()[1]->icon().pixmap(16).toImage(),
              PictureIcon(bi_www).pixmap(16).toImage());
    EXPECT_TRUE(dlg.Buttons()[0]->icon().isNull());
    EXPECT_EQ(dlg.Buttons()[2]->property("picture").toInt(), bi_cancel);
}

TEST_F(MessageDlg, LayoutFollowsTheLabelAndTheButtons) {
    TMessageDlg dlg(Request("Kurz & knapp", kKindInformation, "J|N|a"));
    QLabel* label = dlg.TextLabel();
    EXPECT_EQ(label->text(), "Kurz & knapp");  // "&" is shown, not an accelerator
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->pos(), QPoint(60, 16));
    EXPECT_EQ(dlg.IconImage()->pos(), QPoint(16, 10));
    EXPECT_FALSE(label->wordWrap());

    QDialog* window = dlg.Window();
    const int height = 16 + label->height() + 8 + TMessageDlg::kPanelHeight + 12;
    EXPECT_EQ(window->height(), height);
    EXPECT_EQ(dlg.ButtonPanel()->geometry(),
              QRect(0, height - TMessageDlg::kPanelHeight, window->width(), 38));
    EXPECT_GE(window->width(), 200);
    EXPECT_GE(window->width(), label->width() + 100);

    const auto& buttons = dlg.Buttons();
    int total = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_GE(buttons[i]->width(), TMessageDlg::kMinButtonWidth);
        EXPECT_EQ(buttons[i]->y(), 7);
        if (i > 0) {
            EXPECT_EQ(buttons[i]->x(), buttons[i - 1]->geometry().right() + 1 + 20);
        }
        total += buttons[i]->width();
    }
    total += 20 * 2;
    EXPECT_EQ(buttons.front()->x(), (window->width() - total) / 2);
    EXPECT_GE(window->width(), total + 40);
    EXPECT_EQ(dlg.CopyButton()->geometry(), QRect(window->width() - 20, 0, 20, 16));
    EXPECT_EQ(dlg.CopyButton()->toolTip(), "Text in die Zwischenablage kopieren (Ctrl+C)");
}

TEST_F(MessageDlg, ALabelWiderThanThreeQuartersOfTheScreenWrapsAtThreeFifths) {
    std::string text;
    while (static_cast<int>(text.size()) < ScreenWidth()) text += "Ein recht langer Satz. ";
    TMessageDlg dlg(Request(text, kKindWarning, "o"));
    QLabel* label = dlg.TextLabel();
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->width(), ScreenWidth() * 3 / 5);
    EXPECT_GT(label->height(), 2 * label->fontMetrics().height());
    EXPECT_EQ(dlg.Window()->width(), label->width() + 100);
    // The icon is centred against the tall label.
    EXPECT_NEAR(dlg.IconImage()->geometry().center().y(), label->geometry().center().y(), 1);
}

TEST_F(MessageDlg, AWideTitleWidensTheWindow) {
    const std::string title(120, 'W');
    TMessageDlg dlg(Request("x", kKindInformation, "o", title));
    QFont bold = dlg.Window()->font();
    bold.setBold(true);
    EXPECT_EQ(dlg.Window()->width(),
              QFontMetrics(bold).horizontalAdvance(QString::fromStdString(title)) + 110);
}

TEST_F(MessageDlg, CopyPutsKindTitleAndTextOnTheClipboard) {
    TMessageDlg dlg(Request("Verzeichnis /opt/Tavo/ existiert", kKindConfirmation, "J|N"));
    const QString expected = "Typ:Bestätigen - Verzeichnis /opt/Tavo/ existiert";
    QClipboard* clipboard = QGuiApplication::clipboard();
    dlg.Buttons()[0]->setFocus();  // keys go to the button and on to the window
    const struct {
        const char* how;
        std::function<void()> copy;
    } ways[] = {
        {"button", [&] { dlg.CopyButton()->click(); }},
        {"Ctrl+C", [&] { PressKey(*dlg.Window(), Qt::Key_C, Qt::ControlModifier); }},
        {"Ctrl+Insert", [&] { PressKey(*dlg.Window(), Qt::Key_Insert, Qt::ControlModifier); }},
    };
    for (const auto& way : ways) {
        clipboard->setText("leer");
        way.copy();
        EXPECT_EQ(clipboard->text(), expected) << way.how;
    }
}

TEST_F(MessageDlg, TheLabelShowsTheFilledTextAndTheLogKeepsTheUnfilled) {
    WhenShown("MessageDlg", [](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLabel*>("TextLabel")->text(),
                  "Verzeichnis /opt/Tavo/ existiert");
        PressKey(dialog, Qt::Key_Escape);
    });
    ShowNoticeKind("Verzeichnis %a existiert|/opt/Tavo/", kKindWarning);
    EXPECT_NE(AppInfo.LogBuffer.value_or("").find(
                  "> MessageDLG: Warnung:Verzeichnis %a existiert|/opt/Tavo/\r\n"
                  "< MessageDLG.result:0\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tavo
