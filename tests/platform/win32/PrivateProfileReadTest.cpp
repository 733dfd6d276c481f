#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TempFolder.h"

namespace {

using vestra::test::TempFolder;

class PrivateProfileRead : public testing::Test {
protected:
    // Writes `contents` as the profile file and returns its path, Windows style.
    std::string Profile(const std::string& contents) {
        temp_.Write("Game.ini", contents);
        return temp_.Path() + "\\game.INI";
    }

    std::string Get(const char* section, const char* key, const char* fallback = "<default>", DWORD size = 256) {
        char buffer[256];
        const DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer, size, file_.c_str());
        EXPECT_EQ(length, strlen(buffer));
        return buffer;
    }

    TempFolder temp_;
    std::string file_;
};

TEST_F(PrivateProfileRead, NamesCompareWithoutCaseAndBlanksAndQuotesAreRemoved) {
    file_ = Profile(
        "orphan=before any section\r\n"
        "[ Section1 ]\r\n"
        "  Name1 =  val1  \r\n"
        "double=\"val2\"\r\n"
        "single='val3'\r\n"
        "mismatched=\"val4'\r\n"
        "lonequote=\"\r\n"
        "inner=a \"b\" c\r\n"
        "inline=1 ; not a comment\r\n"
        "empty=\r\n"
        "; hidden=comment\r\n"
        "bare line\r\n");
    EXPECT_EQ(Get("SECTION1", "name1"), "val1");
    EXPECT_EQ(Get("section1", "DOUBLE"), "val2");
    EXPECT_EQ(Get("section1", "single"), "val3");
    EXPECT_EQ(Get("section1", "mismatched"), "\"val4'");
    EXPECT_EQ(Get("section1", "lonequote"), "\"");
    EXPECT_EQ(Get("section1", "inner"), "a \"b\" c");
    EXPECT_EQ(Get("section1", "inline"), "1 ; not a comment");
    EXPECT_EQ(Get("section1", "empty"), "");
    EXPECT_EQ(Get("section1", "; hidden"), "<default>");
    EXPECT_EQ(Get("section1", "bare line"), "<default>");
    EXPECT_EQ(Get("", "orphan"), "<default>");  // lines before the first section are out of reach
}

TEST_F(PrivateProfileRead, TheFirstOfDuplicateSectionsAndKeysWins) {
    file_ = Profile(
        "[a]\n"
        "k=first\n"
        "K=second\n"
        "[b]\n"
        "k=other\n"
        "[A]\n"
        "k=third\n"
        "only=in the second [a]\n"
        "[]\n"
        "k=nameless\n");
    EXPECT_EQ(Get("a", "k"), "first");
    EXPECT_EQ(Get("a", "only"), "<default>");
    EXPECT_EQ(Get("", "k"), "nameless");
    EXPECT_EQ(Get("a", ""), "<default>");
}

TEST_F(PrivateProfileRead, AnyLineEndingSeparatesLines) {
    file_ = Profile("[s]\rcr=1\r[t]\nlf=2\r\ncrlf=3");
    EXPECT_EQ(Get("s", "cr"), "1");
    EXPECT_EQ(Get("t", "lf"), "2");
    EXPECT_EQ(Get("t", "crlf"), "3");
}

TEST_F(PrivateProfileRead, DefaultsLoseTrailingBlanksAndEverythingIsCutToTheBuffer) {
    file_ = Profile("[s]\r\nkey=val1\r\n");
    EXPECT_EQ(Get("s", "missing", "one two  "), "one two");
    EXPECT_EQ(Get("missing", "key", "  lead"), "  lead");
    EXPECT_EQ(Get("s", "missing", NULL), "");

    EXPECT_EQ(Get("s", "key", "", 4), "val");
    EXPECT_EQ(Get("s", "key", "", 5), "val1");
    EXPECT_EQ(Get("s", "missing", "default", 4), "def");
    EXPECT_EQ(Get("s", "key", "", 1), "");

    char untouched[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetPrivateProfileStringA("s", "key", "", untouched, 0, file_.c_str()), 0u);
    EXPECT_EQ(untouched[0], 'x');

    file_ = temp_.Path() + "\\missing.ini";
    SetLastError(0);
    EXPECT_EQ(Get("s", "key", "dflt"), "dflt");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    file_ = "";
    EXPECT_EQ(Get("s", "key", "dflt"), "dflt");
}

TEST_F(PrivateProfileRead, NullSectionOrKeyListsNamesEndedByTwoNuls) {
    file_ = Profile(
        "[section1]\r\nname1=val1\r\nname2=\r\nname3\r\n;name5=comment\r\nname4=val4\r\n[section2]\r\nx=1\r\n");
    const struct { const char *section, *key; DWORD size, length; std::string bytes; } cases[] = {
        {NULL, "ignored", 64, 18, std::string("section1\0section2\0\0", 19)},
        {"SECTION1", NULL, 64, 18, std::string("name1\0name2\0name4\0\0", 19)},
        {"section1", NULL, 16, 14, std::string("name1\0name2\0na\0\0x", 17)},  // cut, still two NULs
        {"section1", NULL, 19, 18, std::string("name1\0name2\0name4\0\0x", 20)},  // exactly enough room
        {"section1", NULL, 2, 0, std::string("\0\0x", 3)},
        {"nosuch", NULL, 64, 0, std::string("\0", 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.section ? c.section : "NULL") << " size " << c.size);
        char buffer[64];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileStringA(c.section, c.key, "", buffer, c.size, file_.c_str()), c.length);
        EXPECT_EQ(std::string(buffer, c.bytes.size()), c.bytes);
    }
}

TEST_F(PrivateProfileRead, SectionNamesCountAnExactFitAsTooSmall) {
    // Three names needing 27 characters plus the final NUL.
    file_ = Profile("[section1]\r\n[section2]\r\n[section3]\r\n");
    char buffer[40];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, 29, file_.c_str()), 27u);
    EXPECT_EQ(std::string(buffer, 29), std::string("section1\0section2\0section3\0\0x", 29));

    memset(buffer, 'x', sizeof buffer);
    // Cut by one character: the last name loses its own NUL, the two closing NULs remain.
    EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, 28, file_.c_str()), 26u);
    EXPECT_EQ(std::string(buffer, 29), std::string("section1\0section2\0section3\0\0x", 29));
    EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, 27, file_.c_str()), 25u);
    EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, 2, file_.c_str()), 0u);

    memset(buffer, 'x', sizeof buffer);
    const std::string missing = temp_.Path() + "/missing.ini";
    EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, sizeof buffer, missing.c_str()), 0u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'x');
}

TEST_F(PrivateProfileRead, SectionContentsAreTheTrimmedEntryLines) {
    file_ = Profile(
        "[section1]\r\nname1 = val1\r\n\r\nname2=\r\n  name3  \r\n; comment\r\nname4=val4\r\n[other]\r\n"
        "=val5\r\nq=\"quoted\"\r\n");
    char buffer[64];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileSectionA("Section1", buffer, sizeof buffer, file_.c_str()), 35u);
    EXPECT_EQ(std::string(buffer, 36), std::string("name1=val1\0name2=\0name3\0name4=val4\0\0", 36));

    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileSectionA("section1", buffer, 24, file_.c_str()), 22u);
    EXPECT_EQ(std::string(buffer, 25), std::string("name1=val1\0name2=\0name\0\0x", 25));
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileSectionA("section1", buffer, 5, file_.c_str()), 3u);
    EXPECT_EQ(std::string(buffer, 5), std::string("nam\0\0", 5));

    EXPECT_EQ(GetPrivateProfileSectionA("other", buffer, sizeof buffer, file_.c_str()), 17u);
    EXPECT_EQ(std::string(buffer, 18), std::string("=val5\0q=\"quoted\"\0\0", 18));

    EXPECT_EQ(GetPrivateProfileSectionA("missing", buffer, sizeof buffer, file_.c_str()), 0u);
    SetLastError(0);
    EXPECT_EQ(GetPrivateProfileSectionA(NULL, buffer, sizeof buffer, file_.c_str()), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(GetPrivateProfileSectionA("section1", NULL, sizeof buffer, file_.c_str()), 0u);
}

TEST_F(PrivateProfileRead, IntegersAreDecimalAndWrapModulo2To32) {
    file_ = Profile(
        "[n]\r\none=1\r\nplus=+1\r\nminus=-1\r\ntrailing=42A94967297\r\nletter=B4294967297\r\n"
        "wrap=4294967296\r\nwrap1=4294967297\r\nnegwrap=-4294967297\r\nempty=\r\nquoted=\"7\"\r\n");
    const char* f = file_.c_str();
    const std::pair<const char*, UINT> cases[] = {
        {"one", 1u}, {"plus", 1u}, {"minus", 0xFFFFFFFFu}, {"trailing", 42u}, {"letter", 0u},
        {"wrap", 0u}, {"wrap1", 1u}, {"negwrap", 0xFFFFFFFFu}, {"quoted", 7u},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(GetPrivateProfileIntA("n", key, 5, f), expected) << key;
    }

    EXPECT_EQ(GetPrivateProfileIntA("n", "empty", 5, f), 5u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "missing", -1, f), 0xFFFFFFFFu);
    EXPECT_EQ(GetPrivateProfileIntA(NULL, "one", 9, f), 9u);
    EXPECT_EQ(GetPrivateProfileIntA("n", NULL, 9, f), 9u);
    EXPECT_EQ(GetPrivateProfileIntA("DEVICE", "BEHAVIOR", -1, (temp_.Path() + "/none.ini").c_str()), 0xFFFFFFFFu);
}

}  // namespace
