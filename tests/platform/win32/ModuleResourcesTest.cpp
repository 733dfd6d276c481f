#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string Contents(HMODULE module, HRSRC found) {
    const HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = LockResource(loaded);
    return bytes == nullptr ? std::string("<null>")
                            : std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
}

// Each test registers under its own fake module, so registrations do not meet.
HMODULE FakeModule(int n) { return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x5000 + n)); }

TEST(ModuleResources, RegisteredBytesAreFoundByIdOrByName) {
    const HMODULE module = FakeModule(1);
    const char menu[] = {1, 0, 2, 0};
    ASSERT_TRUE(VestraRegisterResource(module, RT_MENU, MAKEINTRESOURCE(101), menu, sizeof menu));
    ASSERT_TRUE(VestraRegisterResource(module, RT_RCDATA, "Splash", "png!", 4));
    ASSERT_TRUE(VestraRegisterResource(module, "SHADER", MAKEINTRESOURCE(7), "hlsl", 4));

    const HRSRC found = FindResourceA(module, MAKEINTRESOURCE(101), RT_MENU);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 4u);
    EXPECT_EQ(Contents(module, found), std::string(menu, 4));

    // String names and types compare without case; "#101" is id 101.
    EXPECT_EQ(Contents(module, FindResourceA(module, "splash", RT_RCDATA)), "png!");
    EXPECT_EQ(Contents(module, FindResourceA(module, "#7", "shader")), "hlsl");
    EXPECT_EQ(FindResourceA(module, "#101", RT_MENU), found);
}

TEST(ModuleResources, MissesSayWhetherTheTypeOrTheNameWasMissing) {
    const HMODULE module = FakeModule(2);
    ASSERT_TRUE(VestraRegisterResource(module, RT_ICON, MAKEINTRESOURCE(1), "i", 1));

    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCE(2), RT_ICON), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCE(1), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceA(FakeModule(3), MAKEINTRESOURCE(1), RT_ICON), nullptr);

    // A handle that was never handed out is refused rather than followed.
    EXPECT_EQ(LoadResource(module, reinterpret_cast<HRSRC>(FakeModule(4))), nullptr);
    EXPECT_EQ(SizeofResource(module, NULL), 0u);
    EXPECT_FALSE(VestraRegisterResource(module, RT_ICON, "a", NULL, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(ModuleResources, NullModuleIsTheExecutable) {
    ASSERT_TRUE(VestraRegisterResource(NULL, RT_ACCELERATOR, "MainAccel", "acc", 3));
    EXPECT_NE(FindResourceA(GetModuleHandleA(NULL), "MAINACCEL", RT_ACCELERATOR), nullptr);
    EXPECT_NE(FindResourceA(NULL, "mainaccel", RT_ACCELERATOR), nullptr);
}

TEST(ModuleResources, DataIsCopiedAndEarlierPointersSurviveReRegistration) {
    const HMODULE module = FakeModule(5);
    std::string source = "first";
    ASSERT_TRUE(VestraRegisterResource(module, RT_BITMAP, "Logo", source.data(), 5));
    source = "XXXXX";
    const HRSRC first = FindResourceA(module, "Logo", RT_BITMAP);
    const char* firstBytes = static_cast<const char*>(LockResource(LoadResource(module, first)));
    EXPECT_EQ(std::string(firstBytes, 5), "first");

    ASSERT_TRUE(VestraRegisterResource(module, RT_BITMAP, "LOGO", "second", 6));
    EXPECT_EQ(Contents(module, FindResourceA(module, "logo", RT_BITMAP)), "second");
    EXPECT_EQ(std::string(firstBytes, 5), "first");
    EXPECT_EQ(SizeofResource(module, first), 5u);

    ASSERT_TRUE(VestraRegisterResource(module, RT_BITMAP, "Empty", NULL, 0));
    const HRSRC empty = FindResourceA(module, "Empty", RT_BITMAP);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SizeofResource(module, empty), 0u);
    EXPECT_NE(LockResource(LoadResource(module, empty)), nullptr);
}

}  // namespace
