#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

namespace {

TEST(Strings, CopyWithLimitAlwaysTerminates) {
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpynA(buffer, "abcdef", 4), buffer);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], 'x');
    lstrcpynA(buffer, "abc", 1);
    EXPECT_STREQ(buffer, "");

    // A zero limit writes nothing at all.
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpynA(buffer, "abc", 0), buffer);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(lstrlenA(NULL), 0);
}

TEST(Strings, CaseInsensitiveComparisonsFoldToLowerCase) {
    EXPECT_EQ(_stricmp("Texture.PNG", "texture.png"), 0);
    EXPECT_LT(_stricmp("abc", "ABD"), 0);
    EXPECT_GT(_stricmp("abcd", "ABC"), 0);
    // '_' lies between 'Z' and 'a': folding to lower case puts it before the letters.
    EXPECT_LT(_stricmp("_", "A"), 0);
    EXPECT_LT(lstrcmpiA("_", "A"), 0);

    EXPECT_EQ(_strnicmp("MeshA.x", "meshB.x", 4), 0);
    EXPECT_NE(_strnicmp("MeshA.x", "meshB.x", 5), 0);
    EXPECT_EQ(_strnicmp("ab", "AB", 10), 0);
    EXPECT_EQ(_stricmp(NULL, "a"), _NLSCMPERROR);

    EXPECT_EQ(lstrcmpiA("DEVICE", "device"), 0);
    EXPECT_EQ(lstrcmpiA("b", "A"), 1);
    EXPECT_EQ(lstrcmpiA(NULL, ""), -1);
    EXPECT_EQ(lstrcmpiA(NULL, NULL), 0);
}

TEST(LastError, IsKeptPerThread) {
    SetLastError(ERROR_MORE_DATA);
    DWORD seenByOtherThread = 1;
    std::thread([&] { seenByOtherThread = GetLastError(); }).join();
    EXPECT_EQ(seenByOtherThread, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
}

}  // namespace
