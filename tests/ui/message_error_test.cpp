#include "ui/message_error.h"

#include <chrono>

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "foundation/app_info.h"
#include "foundation/log.h"
#include "foundation/machine_description.h"
#include "foundation/mail.h"
#include "tests/support/temp_root.h"
#include "tests/ui/modal_helper.h"
#include "ui/feedback_dialog.h"
#include "ui/message_dlg.h"

namespace tavo {
namespace {

using test::PressKey;
using test::WhenShown;

class ErrorReportWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        MeasuredProcessorMHz(std::chrono::milliseconds(20));  // keeps the tests quick
        test::UseSetupIdentity();
        InstallQtPromptHandler();
        MapiSettings() = TMapiSettings{};
        MapiSettings().hook = [this](const TMapiMail& mail) {
            mails_.push_back(mail);
            return true;
        };
    }
    void TearDown() override {
        MapiSettings() = TMapiSettings{};
        SetPromptHandler({});
        SetErrorReportHandler({});
        SetFeedbackHandler({});
        SetClipboardWriter({});
    }

    static void ExpectReport(const std::string& report, const std::string& description) {
        for (const std::string& part :
             {std::string("der folgende Fehler ist aufgetreten:\r\nTabelle kunden fehlt\r\n"),
              "Der Fehler erscheint: \r\n" + description + "\r\n", std::string("Histroy:"),
              std::string("Schritt vor dem Fehler\r\n"),
              std::string("Programm: Zelvo Verbindomat - Setup 2026.12 Build 1\r\n"),
              "OS:  " + OsName() + "\r\n", std::string("CPU: "), std::string("RAM: ")})
            EXPECT_NE(report.find(part), std::string::npos) << part << "\n---\n" << report;
    }

    std::vector<TMapiMail> mails_;
};

TEST_F(ErrorReportWindow, MailNeedsTenCharactersOfDescription) {
    TMessageError dlg("Tabelle kunden fehlt");
    EXPECT_EQ(dlg.Window()->windowTitle(), "Sie haben einen Fehler in der Software gefunden");
    EXPECT_EQ(dlg.Window()->size(), QSize(540, 400));
    EXPECT_FALSE(dlg.MailButton()->isEnabled());
    dlg.DescriptionMemo()->setPlainText("123456789");
    EXPECT_FALSE(dlg.MailButton()->isEnabled());
    dlg.DescriptionMemo()->setPlainText("1234567890");
    EXPECT_TRUE(dlg.MailButton()->isEnabled());
    dlg.DescriptionMemo()->setPlainText("");
    EXPECT_FALSE(dlg.MailButton()->isEnabled());
    EXPECT_EQ(dlg.MailButton()->text(), "per E-Mail");
    EXPECT_EQ(dlg.CopyButton()->text(), "in die Zwischenablage kopieren");
    EXPECT_EQ(dlg.CancelButton()->text(), "nicht schicken");
    EXPECT_EQ(dlg.CopyButton()->x() - dlg.MailButton()->geometry().right() - 1, 20);
    EXPECT_EQ(dlg.CancelButton()->x() - dlg.CopyButton()->geometry().right() - 1, 20);
}

TEST_F(ErrorReportWindow, ATallMessageWidensTheWindow) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "Zeile " + std::to_string(i) + " der Meldung\r\n";
    TMessageError dlg(text);
    const int wide = QGuiApplication::primaryScreen()->geometry().width() * 3 / 4;
    EXPECT_EQ(dlg.MessageLabel()->width(), std::max(520, wide));
    EXPECT_EQ(dlg.Window()->width(), std::max(540, dlg.MessageLabel()->width() + 20));
    EXPECT_GE(dlg.Window()->height(), dlg.CancelButton()->geometry().bottom());
}

TEST_F(ErrorReportWindow, TheMailedReportHoldsMessageDescriptionHistoryAndSystem) {
    WriteLog("Schritt vor dem Fehler", 0);
    WhenShown("TMessageError", [](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLabel*>("MessageLabel")->text(), "Tabelle kunden fehlt");
        dialog.findChild<QPlainTextEdit*>("DescriptionMemo")
            ->setPlainText("Beim Klick\nauf Weiter");
        dialog.findChild<QPushButton*>("MailButton")->click();
    });
    ReportInternalError("Tabelle %a fehlt|kunden");
    ASSERT_EQ(mails_.size(), 1u);
    EXPECT_EQ(mails_[0].recipients, "support@zelvo.example");
    EXPECT_EQ(mails_[0].subject, "Zelvo Verbindomat - Setup 2026.12 Build 1 - Fehlermeldung");
    ExpectReport(mails_[0].body, "Beim Klick\r\nauf Weiter");
}

TEST_F(ErrorReportWindow, TheCopiedReportHoldsTheSame) {
    WriteLog("Schritt vor dem Fehler", 0);
    QGuiApplication::clipboard()->setText("leer");
    WhenShown("TMessageError", [](QDialog& dialog) {
        dialog.findChild<QPlainTextEdit*>("DescriptionMemo")->setPlainText("kurz");
        dialog.findChild<QPushButton*>("CopyButton")->click();
    });
    ReportInternalError("Tabelle kunden fehlt");
    ExpectReport(QGuiApplication::clipboard()->text().toStdString(), "kurz");
    EXPECT_TRUE(mails_.empty());
}

TEST_F(ErrorReportWindow, NotSendingOrEscSendsNothing) {
    QGuiApplication::clipboard()->setText("leer");
    WhenShown("TMessageError", [](QDialog& dialog) {
        dialog.findChild<QPlainTextEdit*>("DescriptionMemo")->setPlainText("lange Beschreibung");
        dialog.findChild<QPushButton*>("CancelButton")->click();
    });
    ReportInternalError("x");
    WhenShown("TMessageError", [](QDialog& dialog) { PressKey(dialog, Qt::Key_Escape); });
    ReportInternalError("x");
    EXPECT_TRUE(mails_.empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "leer");
}

TEST_F(ErrorReportWindow, FeedbackMailTakesKindAndSubject) {
    WhenShown("TFeedbackDialog", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "E-Mail an Zelvo");
        auto* ok = dialog.findChild<QPushButton*>("OkButton");
        auto* subject = dialog.findChild<QLineEdit*>("Betreff");
        EXPECT_FALSE(ok->isEnabled());
        subject->setText("W");
        EXPECT_FALSE(ok->isEnabled());
        subject->setText("Wie geht das");
        EXPECT_TRUE(ok->isEnabled());
        dialog.findChild<QRadioButton*>("Mitteilungsart2")->setChecked(true);
        EXPECT_EQ(dialog.findChild<QRadioButton*>("Mitteilungsart2")->text(), "Frage");
        ok->click();
    });
    AskFeedbackMail();
    ASSERT_EQ(mails_.size(), 1u);
    EXPECT_EQ(mails_[0].recipients, "vorschlag@zelvo.example");
    EXPECT_EQ(mails_[0].subject, "tavosetup Ver. 2026.12 Build 1 - Frage: Wie geht das");

    WhenShown("TFeedbackDialog", [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("Betreff")->setText("egal");
        dialog.findChild<QPushButton*>("CancelButton")->click();
    });
    AskFeedbackMail();
    EXPECT_EQ(mails_.size(), 1u);
}

}  // namespace
}  // namespace tavo
