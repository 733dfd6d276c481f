#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

void Append(const char* text, void* context) { static_cast<std::string*>(context)->append(text); }

TEST(DebugOutput, TextReachesTheInstalledHandlerUnchanged) {
    std::string captured;
    void* previousContext = &captured;
    const VestraDebugOutputHandler previous = VestraSetDebugOutputHandler(Append, &captured, &previousContext);

    OutputDebugStringA("LeakedResources:\n");
    OutputDebugStringA("\t#1 wood.png, 2");
    OutputDebugStringA(NULL);
    EXPECT_EQ(captured, "LeakedResources:\n\t#1 wood.png, 2");

    // Installing another handler hands back this one with its context, for restoring.
    std::string second;
    void* context = nullptr;
    EXPECT_EQ(VestraSetDebugOutputHandler(Append, &second, &context), &Append);
    EXPECT_EQ(context, &captured);
    OutputDebugStringA("x");
    EXPECT_EQ(second, "x");
    EXPECT_EQ(captured, "LeakedResources:\n\t#1 wood.png, 2");  // no longer receives

    VestraSetDebugOutputHandler(previous, previousContext, NULL);
}

TEST(DebugOutput, DefaultHandlerWritesToStderrOnlyWhenEnabled) {
    unsetenv("VESTRA_DEBUG_OUTPUT");
    testing::internal::CaptureStderr();
    OutputDebugStringA("quiet");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    setenv("VESTRA_DEBUG_OUTPUT", "1", 1);
    testing::internal::CaptureStderr();
    OutputDebugStringA("loud");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "loud");
    unsetenv("VESTRA_DEBUG_OUTPUT");
}

}  // namespace
