#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "TempFolder.h"

namespace {

using vestra::test::TempFolder;

TEST(FileSystem, AttributesAndExistenceOfFilesAndFolders) {
    TempFolder temp;
    temp.Write("Folder/File.txt", "abc");
    const std::string file = temp.Path() + "\\FOLDER\\file.TXT";
    const std::string folder = temp.Path() + "\\folder";

    EXPECT_EQ(GetFileAttributesA(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(PathFileExistsA(file.c_str()));
    EXPECT_TRUE(PathFileExistsA(folder.c_str()));
    EXPECT_TRUE(PathFileExistsA((folder + "\\").c_str()));

    EXPECT_EQ(GetFileAttributesA((folder + "\\none.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA((folder + "\\none\\none.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(PathFileExistsA((folder + "\\*.txt").c_str()));  // no wildcard expansion
    EXPECT_FALSE(PathFileExistsA(""));
    EXPECT_FALSE(PathFileExistsA(NULL));
}

TEST(FileSystem, CreatingAndDeleting) {
    TempFolder temp;
    const std::string folder = temp.Path() + "\\New";
    EXPECT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    EXPECT_FALSE(CreateDirectoryA((temp.Path() + "\\NEW").c_str(), NULL));  // found by case
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA((temp.Path() + "\\a\\b").c_str(), NULL));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    temp.Write("New/Doomed.txt", "x");
    EXPECT_FALSE(DeleteFileA(folder.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFileA((temp.Path() + "\\new\\doomed.TXT").c_str()));
    EXPECT_FALSE(PathFileExistsA((temp / "New/Doomed.txt").c_str()));
    EXPECT_FALSE(DeleteFileA((temp.Path() + "\\new\\doomed.TXT").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(FileSystem, CurrentDirectoryBufferRules) {
    TempFolder temp;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(temp.Path().c_str()), 0);
    char buffer[4096];
    const DWORD needed = GetCurrentDirectoryA(0, NULL);
    const DWORD exact = GetCurrentDirectoryA(needed, buffer);
    char small[4] = {'x', 'x', 'x', 'x'};
    const DWORD tooSmall = GetCurrentDirectoryA(needed - 1, small);
    ASSERT_EQ(chdir(previous), 0);

    const DWORD length = static_cast<DWORD>(temp.Path().size());
    EXPECT_EQ(needed, length + 1);  // the NUL is counted when asking for the size
    EXPECT_EQ(exact, length);
    EXPECT_EQ(std::string(buffer), temp.Path());
    EXPECT_EQ(tooSmall, length + 1);
    EXPECT_EQ(small[0], 'x');
}

}  // namespace
