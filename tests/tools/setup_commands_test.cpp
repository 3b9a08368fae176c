// tavopack's setup commands: the last step of the build and the logo it packs.
#include <sys/stat.h>

#include <QImage>
#include <filesystem>

#include <gtest/gtest.h>

#include "payload/payload_container.h"
#include "tests/support/temp_root.h"
#include "tests/tools/tavopack_run.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class SetupCommandsTest : public testing::Test {
  protected:
    test::TavopackResult Run(const std::vector<std::string>& args) {
        return test::RunTavopack(root_, args);
    }
    std::string At(const std::string& relative) const { return root_.At(relative); }

    test::TempRoot root_;
};

TEST_F(SetupCommandsTest, BuildAppendsEveryFileOfTheFolderAsAPayloadOfItsName) {
    test::WriteFile(At("program"),
                    "\x7f"
                    "ELF the program");
    ::chmod(At("program").c_str(), 0755);
    fs::create_directories(At("parts"));
    test::WriteFile(At("parts/mysql"), "archive bytes");
    test::WriteFile(At("parts/DataGPL"), "block");
    ASSERT_EQ(Run({"setup", "build", At("program"), At("parts"), At("setup")}).exitCode, 0);

    const auto container = PayloadContainer::Open(At("setup"));
    ASSERT_TRUE(container.has_value());
    EXPECT_EQ(container->ProgramSize(), 16u);
    ASSERT_EQ(container->Entries().size(), 2u);
    EXPECT_EQ(container->Entries()[0].name, "DataGPL");
    EXPECT_EQ(container->Entries()[1].name, "mysql");
    EXPECT_EQ(::access(At("setup").c_str(), X_OK), 0);

    const auto list = Run({"setup", "list", At("setup")});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, "program\t16\nDataGPL\t5\nmysql\t13\n");
}

TEST_F(SetupCommandsTest, BuildFailsWithoutWritingOnBadInputs) {
    test::WriteFile(At("program"), "program");
    fs::create_directories(At("parts/sub"));
    const auto folderInside = Run({"setup", "build", At("program"), At("parts"), At("setup")});
    EXPECT_EQ(folderInside.exitCode, 1);
    EXPECT_NE(folderInside.err.find("not a file"), std::string::npos);
    EXPECT_EQ(Run({"setup", "build", At("program"), At("none"), At("setup")}).exitCode, 1);
    EXPECT_FALSE(fs::exists(At("setup")));
    EXPECT_EQ(Run({"setup", "list", At("program")}).exitCode, 1);
    const auto wrong = Run({"setup", "build"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err.rfind("usage: tavopack block pack", 0), 0u) << wrong.err;
    EXPECT_NE(wrong.err.find("\n       tavopack setup build PROGRAM PAYLOAD-DIR OUT\n"),
              std::string::npos)
        << wrong.err;
}

TEST_F(SetupCommandsTest, LogoIsAnEightBitBitmapOfTheSidePictureSize) {
    ASSERT_EQ(Run({"setup", "logo", At("logo.bmp")}).exitCode, 0);
    EXPECT_EQ(fs::file_size(At("logo.bmp")), 19166u);
    QImage logo;
    ASSERT_TRUE(logo.load(QString::fromStdString(At("logo.bmp")), "BMP"));
    EXPECT_EQ(logo.width(), 55);
    EXPECT_EQ(logo.height(), 323);
    EXPECT_EQ(logo.format(), QImage::Format_Indexed8);
    // Dark at the top, lighter at the bottom, the letters white.
    EXPECT_LT(qBlue(logo.pixel(0, 0)), qBlue(logo.pixel(0, 322)));
    int white = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x) white += logo.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 500);
}

}  // namespace
}  // namespace tavo
