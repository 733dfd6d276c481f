#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"

namespace {

using vestra::test::TempFolder;

std::vector<std::string> FindAll(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    return names;
}

using Names = std::vector<std::string>;

TEST(FindFile, ListsDotEntriesFirstThenNamesInCaseInsensitiveOrder) {
    static_assert(sizeof(WIN32_FIND_DATAA) == 320);
    TempFolder temp;
    for (const char* name : {"b.txt", "A.txt", "_under.txt", "Zed.TXT", "c.dat", "noext"}) {
        temp.Write(name, "x");
    }
    temp.MakeFolder("Sub");
    // Upper-cased collation: '_' (0x5F) sorts after 'Z' (0x5A).
    EXPECT_EQ(FindAll(temp.Path() + "\\*"),
              (Names{".", "..", "A.txt", "b.txt", "c.dat", "noext", "Sub", "Zed.TXT", "_under.txt"}));
    EXPECT_EQ(FindAll(temp.Path() + "\\*.*"), FindAll(temp.Path() + "\\*"));
    EXPECT_EQ(FindAll(temp.Path() + "\\*.txt"), (Names{"A.txt", "b.txt", "Zed.TXT", "_under.txt"}));
    EXPECT_EQ(FindAll(temp.Path() + "/*."), (Names{".", "..", "noext", "Sub"}));
    EXPECT_EQ(FindAll(temp.Path() + "/?.TXT"), (Names{"A.txt", "b.txt"}));
    EXPECT_EQ(FindAll(temp.Path() + "\\NOEXT"), (Names{"noext"}));
}

TEST(FindFile, TheRootHasNoDotEntries) {
    const Names rootEntries = FindAll("C:\\*");
    ASSERT_FALSE(rootEntries.empty());
    EXPECT_NE(rootEntries[0], ".");
    EXPECT_NE(rootEntries[0], "..");
}

TEST(FindFile, ReportsAttributesSizesAndTimes) {
    TempFolder temp;
    temp.Write("Data/big.bin", std::string(5000, 'b'));
    temp.Write("Data/locked.txt", "ro");
    ASSERT_EQ(chmod((temp / "Data/locked.txt").c_str(), 0444), 0);
    temp.MakeFolder("Data/Folder");

    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((temp.Path() + "\\data\\*.*").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<WIN32_FIND_DATAA> entries{data};
    while (FindNextFileA(search, &data)) {
        entries.push_back(data);
    }
    ASSERT_TRUE(FindClose(search));
    ASSERT_EQ(entries.size(), 5u);

    const WIN32_FIND_DATAA& big = entries[2];
    EXPECT_STREQ(big.cFileName, "big.bin");
    EXPECT_EQ(big.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(big.nFileSizeLow, 5000u);
    EXPECT_EQ(big.nFileSizeHigh, 0u);
    EXPECT_STREQ(big.cAlternateFileName, "");
    // A FILETIME counts 100 ns from 1601; the file was written a moment ago.
    const ULONGLONG written = (static_cast<ULONGLONG>(big.ftLastWriteTime.dwHighDateTime) << 32) |
                              big.ftLastWriteTime.dwLowDateTime;
    const ULONGLONG now = 116444736000000000ull + static_cast<ULONGLONG>(time(nullptr)) * 10000000ull;
    EXPECT_LE(written, now + 20000000ull);
    EXPECT_GE(written, now - 36000000000ull);

    EXPECT_STREQ(entries[3].cFileName, "Folder");
    EXPECT_EQ(entries[3].dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(entries[3].nFileSizeLow, 0u);
    EXPECT_STREQ(entries[4].cFileName, "locked.txt");
    EXPECT_EQ(entries[4].dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
}

TEST(FindFile, FailuresSetTheWindowsErrors) {
    TempFolder temp;
    temp.Write("a.txt", "x");
    WIN32_FIND_DATAA data;

    const std::pair<const char*, DWORD> misses[] = {
        {"\\*.png", ERROR_FILE_NOT_FOUND}, {"\\missing\\*", ERROR_PATH_NOT_FOUND},
        {"\\a.txt\\*", ERROR_PATH_NOT_FOUND}, {"\\", ERROR_FILE_NOT_FOUND}};
    for (const auto& [suffix, error] : misses) {
        SCOPED_TRACE(suffix);
        EXPECT_EQ(FindFirstFileA((temp.Path() + suffix).c_str(), &data), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), error);
    }
    EXPECT_EQ(FindFirstFileA(NULL, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // Handles that are not live searches are refused, including one already closed.
    const HANDLE search = FindFirstFileA((temp.Path() + "\\*").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(FindClose(search));
    EXPECT_FALSE(FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindClose(search));
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(FindClose(NULL));
}

TEST(FindFile, SearchesTheCurrentDirectoryForABarePattern) {
    TempFolder temp;
    temp.Write("Only.one", "x");
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(temp.Path().c_str()), 0);
    const Names bare = FindAll("*.ONE");
    const Names withDrive = FindAll("C:*.one");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(bare, Names{"Only.one"});
    EXPECT_EQ(withDrive, Names{"Only.one"});
}

}  // namespace
