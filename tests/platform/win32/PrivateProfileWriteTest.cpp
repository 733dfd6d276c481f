#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "TempFolder.h"

namespace {

using vestra::test::TempFolder;

class PrivateProfileWrite : public testing::Test {
protected:
    BOOL Write(const char* section, const char* key, const char* value) {
        return WritePrivateProfileStringA(section, key, value, file_.c_str());
    }
    std::string Contents() const { return temp_.Read("App.ini"); }

    int EntriesInFolder() const {
        int count = 0;
        DIR* listing = opendir(temp_.Path().c_str());
        while (const dirent* entry = readdir(listing)) {
            count += strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0;
        }
        closedir(listing);
        return count;
    }

    TempFolder temp_;
    std::string file_ = temp_.Path() + "\\App.ini";
};

TEST_F(PrivateProfileWrite, SuccessiveWritesBuildTheFileLineByLine) {
    ASSERT_TRUE(Write("App1", "key1", "string1"));
    ASSERT_TRUE(Write("App1", "key2", "string2"));
    ASSERT_TRUE(Write("App2", "key4", "string4"));
    ASSERT_TRUE(Write("App1", "key3", "string3"));
    ASSERT_TRUE(Write("App3", "key5", "string5"));
    EXPECT_EQ(Contents(),
              "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n[App3]\r\n"
              "key5=string5\r\n");

    ASSERT_TRUE(Write("app1", "KEY2", "changed"));
    ASSERT_TRUE(Write("App2", "key4", ""));
    EXPECT_EQ(Contents(),
              "[App1]\r\nkey1=string1\r\nKEY2=changed\r\nkey3=string3\r\n[App2]\r\nkey4=\r\n[App3]\r\n"
              "key5=string5\r\n");
}

TEST_F(PrivateProfileWrite, DeletingKeysAndSections) {
    temp_.Write("App.ini", "[a]\r\nx=1\r\ny=2\r\n[b]\r\n; note\r\nz=3\r\n\r\n[c]\r\nw=4\r\n");
    ASSERT_TRUE(Write("A", "X", NULL));
    ASSERT_TRUE(Write("a", "y", NULL));
    EXPECT_EQ(Contents(), "[a]\r\n[b]\r\n; note\r\nz=3\r\n\r\n[c]\r\nw=4\r\n");  // the header stays

    ASSERT_TRUE(Write("B", NULL, "ignored"));
    EXPECT_EQ(Contents(), "[a]\r\n[c]\r\nw=4\r\n");

    // Deleting what does not exist succeeds without touching or creating anything.
    EXPECT_TRUE(Write("c", "missing", NULL));
    EXPECT_TRUE(Write("missing", NULL, NULL));
    EXPECT_EQ(Contents(), "[a]\r\n[c]\r\nw=4\r\n");
    file_ = temp_.Path() + "/Other.ini";
    EXPECT_TRUE(Write("s", "k", NULL));
    EXPECT_TRUE(Write("s", NULL, NULL));
    EXPECT_FALSE(PathFileExistsA(file_.c_str()));
}

TEST_F(PrivateProfileWrite, EveryOtherLineKeepsItsBytes) {
    const std::string original =
        "; written by hand\n"
        "loose=line\n"
        "[ Video ]\n"
        "  Width = 640   \n"
        "; keep=me\n"
        "Height=480\n"
        "\n"
        "[Audio]\r"
        "volume=\"11\"\r"
        "odd line";
    temp_.Write("App.ini", original);
    ASSERT_TRUE(Write("video", "width", "800"));
    ASSERT_TRUE(Write("VIDEO", "Depth", "32"));
    ASSERT_TRUE(Write("audio", "muted", "0"));
    EXPECT_EQ(Contents(),
              "; written by hand\n"
              "loose=line\n"
              "[ Video ]\n"
              "width=800\n"
              "; keep=me\n"
              "Height=480\n"
              "Depth=32\r\n"
              "\n"
              "[Audio]\r"
              "volume=\"11\"\r"
              "odd line\r\n"
              "muted=0\r\n");
}

TEST_F(PrivateProfileWrite, ReplacesTheFileWholeKeepingItsNameAndPermissions) {
    temp_.Write("App.ini", "[s]\r\nk=1\r\n");
    ASSERT_EQ(chmod((temp_ / "App.ini").c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(stat((temp_ / "App.ini").c_str(), &before), 0);

    file_ = "C:" + temp_.Path() + "\\APP.INI";  // found case-insensitively, not created anew
    ASSERT_TRUE(Write("s", "k", "2"));
    EXPECT_EQ(Contents(), "[s]\r\nk=2\r\n");

    struct stat after {};
    ASSERT_EQ(stat((temp_ / "App.ini").c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_NE(after.st_ino, before.st_ino);  // a new file was renamed into place
    EXPECT_EQ(EntriesInFolder(), 1);         // and no temporary file is left behind
}

TEST_F(PrivateProfileWrite, RefusedCalls) {
    SetLastError(0);
    EXPECT_FALSE(Write(NULL, "k", "v"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", ""));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(Write(NULL, NULL, NULL));
    file_ = temp_.Path() + "\\missing\\App.ini";
    EXPECT_FALSE(Write("s", "k", "v"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(EntriesInFolder(), 0);
}

}  // namespace
