#include "win32/WindowsPath.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "TempFolder.h"

namespace {

using vestra::test::TempFolder;
using vestra::win32::ResolvePath;

TEST(WindowsPath, SeparatorsAndDrivePrefixes) {
    EXPECT_EQ(ResolvePath("C:\\no-such-root\\tex\\wood.png"), "/no-such-root/tex/wood.png");
    EXPECT_EQ(ResolvePath("d:no-such-file.txt"), "no-such-file.txt");
    EXPECT_EQ(ResolvePath("no-such-dir\\sub/"), "no-such-dir/sub/");
    EXPECT_EQ(ResolvePath(""), "");
    EXPECT_EQ(ResolvePath(NULL), "");
}

TEST(WindowsPath, FindsEveryComponentIgnoringCase) {
    TempFolder temp;
    temp.Write("Media/Textures/Wood.PNG", "w");
    const std::string windowsStyle = "C:" + temp.Path() + "\\MEDIA\\textures\\wood.png";
    EXPECT_EQ(ResolvePath(windowsStyle.c_str()), temp / "Media/Textures/Wood.PNG");

    // Missing components keep their spelling; later ones are not looked up at all.
    EXPECT_EQ(ResolvePath((temp.Path() + "\\media\\NEW\\file.TXT").c_str()), temp / "Media/NEW/file.TXT");
}

TEST(WindowsPath, PrefersTheExactNameAndOtherwiseTheFirstInByteOrder) {
    TempFolder temp;
    temp.Write("Data.bin", "1");
    temp.Write("DATA.bin", "2");
    temp.Write("data.BIN", "3");
    EXPECT_EQ(ResolvePath((temp / "data.BIN").c_str()), temp / "data.BIN");
    EXPECT_EQ(ResolvePath((temp / "dATA.bin").c_str()), temp / "DATA.bin");
}

TEST(WindowsPath, RelativePathsStayRelativeToTheCurrentDirectory) {
    TempFolder temp;
    temp.Write("Sub/File.txt", "x");
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(temp.Path().c_str()), 0);
    const std::string resolved = ResolvePath("sub\\file.txt");
    const std::string withDrive = ResolvePath("C:SUB\\FILE.TXT");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(resolved, "Sub/File.txt");
    EXPECT_EQ(withDrive, "Sub/File.txt");
}

}  // namespace
