#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <string>

namespace {

std::string ExecutablePath() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

TEST(Module, FileNameOfTheExecutableAndItsBufferRules) {
    const std::string expected = ExecutablePath();
    ASSERT_FALSE(expected.empty());
    const DWORD length = static_cast<DWORD>(expected.size());

    char buffer[4096];
    EXPECT_EQ(GetModuleFileNameA(NULL, buffer, sizeof buffer), length);
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(NULL), buffer, sizeof buffer), length);

    // One character short of room for the NUL: cut, terminated, the full size returned.
    memset(buffer, 'x', sizeof buffer);
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(NULL, buffer, length), length);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(buffer), expected.substr(0, length - 1));

    EXPECT_EQ(GetModuleFileNameA(NULL, buffer, 0), 0u);
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(buffer), buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Module, TheExecutableAnswersToItsName) {
    const HMODULE self = GetModuleHandleA(NULL);
    ASSERT_NE(self, nullptr);
    const std::string path = ExecutablePath();
    const std::string name = path.substr(path.rfind('/') + 1);
    EXPECT_EQ(GetModuleHandleA(name.c_str()), self);
    EXPECT_EQ(GetModuleHandleA((name + ".EXE").c_str()), self);
    EXPECT_EQ(GetModuleHandleA("no-such-module.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
