// What the resource tests share: a temporary folder with image files written byte by
// byte, a capture of the debugger output and a manager on a headless device.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "resources/ResourceManager.h"
#include "support/HeadlessDevice.h"

namespace resources_test {

// One-colour A8R8G8B8 .dds bytes; with `depth` > 0 a volume texture.
std::string DdsBytes(UINT width, UINT height, UINT depth = 0);

// A fresh folder removed with its contents at the end of the test.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::string operator/(const std::string& relative) const { return root + "/" + relative; }
    // Creates parent folders as needed.
    void Write(const std::string& relative, const std::string& bytes) const;

    const std::string root;
};

// Everything written with OutputDebugStringA while alive.
struct DebugCapture {
    DebugCapture() { previous = VestraSetDebugOutputHandler(Append, &text, &previousContext); }
    ~DebugCapture() { VestraSetDebugOutputHandler(previous, previousContext, nullptr); }
    static void Append(const char* text, void* context) { static_cast<std::string*>(context)->append(text); }

    std::string text;
    VestraDebugOutputHandler previous = nullptr;
    void* previousContext = nullptr;
};

using vestra::test::HeadlessDevice;

ULONG ReferenceCount(IUnknown* object);

// A manager of its own (not the global one) holding one reference, with textures
// requested beside <folder>/scene.x.
class ManagerTest : public ::testing::Test {
protected:
    ManagerTest() : manager(new CResourceManager()) { manager->AddRef(); }
    ~ManagerTest() override
    {
        if (manager != nullptr) {
            manager->Release();
        }
    }
    IDirect3DTexture9* Texture(const char* fileName, BOOL create)
    {
        return manager->GetTexture(device.get(), reference.c_str(), fileName, ".dds", create);
    }

    TempFolder folder;
    HeadlessDevice device;
    CResourceManager* manager;
    const std::string reference = folder / "scene.x";
};

} // namespace resources_test
