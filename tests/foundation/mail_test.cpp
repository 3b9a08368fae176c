#include "foundation/mail.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/mail_client.h"
#include "platform/registry.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::ExpectedPrompt;
using test::ScriptedPrompts;

// Every program the hand-over may start is a recording stand-in in a private PATH.
class Mail : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        MapiSettings() = TMapiSettings{};
        oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        fs::create_directories(root_.At("bin"));
        ::setenv("PATH", root_.At("bin").c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", oldPath_.c_str(), 1);
        MapiSettings() = TMapiSettings{};
    }
    std::string Log() const { return AppInfo.LogBuffer.value_or(""); }

    // A program that writes each argument on a line of its own into <root>/<name>.args.
    std::string Recorder(const std::string& name, int exitCode = 0) {
        const std::string path = root_.At("bin/" + name);
        test::WriteFile(path, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + Recorded(name) +
                                  "\"\nexit " + std::to_string(exitCode) + "\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    std::string Recorded(const std::string& name) const { return root_.At(name + ".args"); }
    std::string Args(const std::string& name) const { return test::ReadFile(Recorded(name)); }
    bool Ran(const std::string& name) const { return fs::exists(Recorded(name)); }

    test::TempRoot root_;
    std::string oldPath_;
};

TEST(MailtoLink, BuildsTheLinkAsTheMailProgramsReadIt) {
    const struct {
        TMapiMail mail;
        const char* link;
    } cases[] = {
        {{"vorschlag@zelvo.example", "", "", "tavosetup Ver. 3.12 Build 410 - Vorschlag", "", ""},
         "mailto:vorschlag@zelvo.example?subject=tavosetup%20Ver.%203.12%20Build%20410%20-%20"
         "Vorschlag"},
        {{"a@b.example", "", "", "", "", ""}, "mailto:a@b.example"},
        {{"a@b.example", "", "", "Fragen & Antworten", "Zeile 1\r\nZeile 2 & mehr", ""},
         "mailto:a@b.example?subject=Fragen%20+%20Antworten&body=Zeile%201%0AZeile%202%20+%20mehr"},
        {{"a@b.example", "", "", "100% #1", "", ""}, "mailto:a@b.example?subject=100%25%20%231"},
        {{"a@b.example", "", "", "", "nur Text", ""}, "mailto:a@b.example?body=nur%20Text"},
    };
    for (const auto& c : cases) EXPECT_EQ(MailtoLink(c.mail), c.link) << c.link;
}

TEST_F(Mail, ASuggestionOpensItsLinkWithoutTheMailClient) {
    Recorder("xdg-open");
    Recorder("xdg-email");
    TMapiMail mail;
    mail.recipients = "vorschlag@zelvo.example";
    mail.subject = "tavosetup Ver. 3.12 - Frage: Wie geht das";
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_EQ(Args("xdg-open"),
              "mailto:vorschlag@zelvo.example?subject=tavosetup%20Ver.%203.12%20-%20Frage:%20Wie%20"
              "geht%20das\n");
    EXPECT_FALSE(Ran("xdg-email"));
    EXPECT_NE(Log().find("[mailPerMapi] E-Mail To:vorschlag@zelvo.example Subject:tavosetup Ver. "
                         "3.12 - Frage: Wie geht das  Internal:Nein\r\n"),
              std::string::npos)
        << Log();
}

TEST_F(Mail, AMailWithAnAttachmentGoesToTheMailProgramForReview) {
    Recorder("xdg-open");
    Recorder("xdg-email");
    const std::string file = root_.At("tmp/tavosetup_2026-12-10_12_00_00.log");
    test::WriteFile(file, "log\r\n");
    TMapiMail mail;
    mail.recipients = "support@zelvo.example, zweite@zelvo.example";
    mail.copyRecipients = "kopie@zelvo.example";
    mail.subject = "Fehlermeldung";
    mail.body = "Zeile 1\r\nZeile 2";
    mail.attachments = file;
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_EQ(Args("xdg-email"),
              "--utf8\n--cc\nkopie@zelvo.example\n--subject\nFehlermeldung\n"
              "--body\nZeile 1\r\nZeile 2\n--attach\n" +
                  file + "\nsupport@zelvo.example\nzweite@zelvo.example\n");
    EXPECT_FALSE(Ran("xdg-open"));
    for (const char* line :
         {"create...", "> TmyMapiClient.create", "readmapisettings",
          "Mapi: Key SOFTWARE\\Clients\\Mail existiert nicht", "LoadClientLib:xdg-email",
          "LoadClientLib:ok", "mapisendmail direkt:Nein", "mapisendmail: Ok", "[mailPerMapi] done"})
        EXPECT_NE(Log().find(line), std::string::npos) << line << "\n" << Log();
}

TEST_F(Mail, AMissingAttachmentIsShownAndTheMailGoesWithoutAttachments) {
    Recorder("xdg-email");
    const std::string present = root_.At("tmp/da.txt");
    test::WriteFile(present, "x");
    const std::string missing = root_.At("tmp/fehlt.txt");
    ScriptedPrompts prompts;
    prompts.Expect("Dateianlage nicht gefunden: " + missing, 0);
    TMapiMail mail;
    mail.recipients = "support@zelvo.example";
    mail.subject = "S";
    mail.attachments = present + "\r\n" + missing;
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_EQ(Args("xdg-email"), "--utf8\n--subject\nS\nsupport@zelvo.example\n");
}

TEST_F(Mail, ALongLinkGoesToTheMailProgramInTheAutomaticMode) {
    Recorder("xdg-open");
    Recorder("xdg-email");
    TMapiMail mail;
    mail.recipients = "support@zelvo.example";
    mail.subject = "Bericht";
    mail.body = std::string(300, 'x');
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_FALSE(Ran("xdg-open"));
    EXPECT_NE(Args("xdg-email").find(mail.body), std::string::npos);
}

TEST_F(Mail, TheLinkModeCutsTheLinkAndAsksAboutWhatALinkCannotCarry) {
    Recorder("xdg-open");
    Recorder("xdg-email");
    MapiSettings().mode = 2;
    TMapiMail mail;
    mail.recipients = "support@zelvo.example";
    mail.copyRecipients = "kopie@zelvo.example";
    mail.subject = "Bericht";
    mail.body = std::string(300, 'x');
    const char* question =
        "Die E-Mail-Parameter werden mit der einfachen mailto-Methode nicht unterstützt.";
    ScriptedPrompts prompts;
    ExpectedPrompt ask{question, 1};
    ask.kind = kKindWarning;
    ask.buttons = std::vector<std::string>{"erweiterte Methode", "&Ignorieren", "&Abbrechen"};
    prompts.Expect(ask);
    EXPECT_TRUE(mailPerMapi(mail, true));  // "i": the link without the copy recipient
    const std::string link = Args("xdg-open");
    EXPECT_EQ(link.size(), 256u + 1);
    EXPECT_EQ(link.rfind("mailto:support@zelvo.example?subject=Bericht&body=xxx", 0), 0u);
    EXPECT_FALSE(Ran("xdg-email"));

    prompts.Expect(question, 2);  // cancel
    EXPECT_FALSE(mailPerMapi(mail, true));
    prompts.Expect(question, test::kAnswerClose);
    EXPECT_FALSE(mailPerMapi(mail, true));
    EXPECT_FALSE(Ran("xdg-email"));
    prompts.Expect(question, 0);  // the extended method
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_NE(Args("xdg-email").find("--cc\nkopie@zelvo.example\n"), std::string::npos);
}

TEST_F(Mail, AFailedLinkIsReportedAndNotCountedAsHandedOver) {
    TMapiMail mail;  // no xdg-open on PATH
    mail.recipients = "support@zelvo.example";
    mail.subject = "S";
    ScriptedPrompts prompts;
    ExpectedPrompt notice{"Es existiert keine Verknüpfung mit der Datei.", 0};
    notice.textContains = true;
    prompts.Expect(notice);
    EXPECT_FALSE(mailPerMapi(mail, true));
}

TEST_F(Mail, MailProgramFailuresShowTheirReason) {
    Recorder("xdg-email", 2);  // xdg-email: a file is missing
    const std::string file = root_.At("tmp/a.txt");
    test::WriteFile(file, "x");
    TMapiMail mail;
    mail.recipients = "support@zelvo.example";
    mail.attachments = file;
    ScriptedPrompts prompts;
    prompts.Expect("Mail-Fehler: Eine Dateianlage konnte nicht gefunden werden.", 0);
    EXPECT_FALSE(mailPerMapi(mail, true));
    EXPECT_NE(Log().find("mapisendmail=11:Eine Dateianlage konnte nicht gefunden werden."),
              std::string::npos);
}

TEST_F(Mail, WithoutAMailProgramTheLibraryNoticesAreShown) {
    const std::string file = root_.At("tmp/a.txt");
    test::WriteFile(file, "x");
    TMapiMail mail;
    mail.recipients = "support@zelvo.example";
    mail.attachments = file;
    ScriptedPrompts prompts;
    prompts.Expect(
        "E-Mail-Library \"xdg-email\" existiert nicht. Bitte E-Mailprogramm reparieren "
        "oder neu installieren.",
        0);
    prompts.Expect("Das E-Mail-Programm unterstützt Mapi nicht.", 0);
    EXPECT_FALSE(mailPerMapi(mail, true));
    EXPECT_NE(Log().find("MessageDLG: Information:E-Mail-Library \"%a\" existiert nicht. Bitte "
                         "E-Mailprogramm reparieren oder neu installieren.|xdg-email"),
              std::string::npos);
}

TEST_F(Mail, TheHookReplacesTheWholeHandOver) {
    Recorder("xdg-open");
    std::vector<TMapiMail> handed;
    MapiSettings().hook = [&](const TMapiMail& m) {
        handed.push_back(m);
        return false;
    };
    TMapiMail mail;
    mail.recipients = "support@zelvo.example";
    mail.subject = "S";
    EXPECT_FALSE(mailPerMapi(mail, false));
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].subject, "S");
    EXPECT_FALSE(Ran("xdg-open"));
    EXPECT_NE(Log().find("Internal:Ja"), std::string::npos);
}

TEST_F(Mail, AClientListInTheRegistryChoosesTheMailProgram) {
    const std::string own = Recorder("ownmail");
    Recorder("othermail");
    Recorder("xdg-email");
    {
        platform::Registry reg(platform::RegHive::LocalMachine);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Clients\\Mail", true)) << reg.LastError();
        reg.WriteString("", "Own");
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Clients\\Mail\\Own", true));
        reg.WriteString("", "Eigene Post");
        reg.WriteString("DLLPath", own);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Clients\\Mail\\Other", true));
        reg.WriteString("", "Andere Post");
        reg.WriteString("DLLPath", "/nirgends/othermail");  // found by its name on PATH
    }
    const std::string file = root_.At("tmp/a.txt");
    test::WriteFile(file, "x");
    TMapiMail mail;
    mail.recipients = "support@zelvo.example";
    mail.attachments = file;
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_TRUE(Ran("ownmail"));
    EXPECT_NE(Log().find("Mapi: DefaultClient Eigene Post in " + own), std::string::npos) << Log();

    MapiSettings().preferredClient = "ANDERE POST";
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_TRUE(Ran("othermail"));
    EXPECT_NE(Log().find("setmailprogramm:ANDERE POST"), std::string::npos);

    MapiSettings().preferredClient.clear();
    MapiSettings().systemMapi = true;
    EXPECT_TRUE(mailPerMapi(mail, true));
    EXPECT_TRUE(Ran("xdg-email"));
    EXPECT_NE(Log().find("mapisendmail direkt:Ja"), std::string::npos);
}

}  // namespace
}  // namespace tavo
