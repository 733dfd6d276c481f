#include <gtest/gtest.h>

#include "ResourceTestSupport.h"
#include "resources/GlobalResourceManager.h"

using namespace resources_test;

namespace {

void ExpectNoInstance(const TempFolder& folder)
{
    ASSERT_EQ(GetGlobalResourceManager(), nullptr);
    DebugCapture capture;
    EXPECT_EQ(FlushGlobalResourceManager(), S_OK);
    EXPECT_EQ(capture.text, "FlushGlobalResourceManager called, but no global resource manager exists\n");
    EXPECT_EQ(InvalidateGlobalResourceManager(nullptr), S_OK);
    EXPECT_EQ(RestoreGlobalResourceManager(nullptr), S_OK);
    EXPECT_EQ(ResourceManagerRegisterFiles(folder.root.c_str(), "*"), E_FAIL);
    EXPECT_EQ(ResourceManagerSetBaseDirectory("media"), E_FAIL);
    EXPECT_EQ(ResourceManagerPreloadMeshes(nullptr), E_FAIL);
    EXPECT_TRUE(ResourceManagerFileExists((folder / "man.x").c_str()));
    EXPECT_FALSE(ResourceManagerFileExists((folder / "woman.x").c_str()));
}

// The global instance holds no reference: its holder's last Release ends it, after which
// the exported functions act as if there were none and a new one can be made.
TEST(GlobalResourceManager, LivesUntilTheLastReleaseAndCanBeMadeAgain)
{
    TempFolder folder;
    folder.Write("models/man.x", ""); // never read: meshes have no loader yet
    folder.Write("man.x", "");
    ExpectNoInstance(folder);

    ASSERT_EQ(InitializeGlobalResourceManager(), S_OK);
    CResourceManager* instance = GetGlobalResourceManager();
    EXPECT_EQ(InitializeGlobalResourceManager(), E_FAIL);
    EXPECT_EQ(GetGlobalResourceManager(), instance);
    EXPECT_EQ(instance->AddRef(), 1u); // created without a reference

    EXPECT_EQ(ResourceManagerPreloadMeshes(nullptr), E_FAIL); // nothing registered
    EXPECT_EQ(ResourceManagerSetBaseDirectory("models"), S_OK);
    EXPECT_EQ(ResourceManagerRegisterFiles((folder / "models").c_str(), "*.x"), S_OK);
    EXPECT_EQ(instance->Registry().Files().size(), 1u);
    EXPECT_EQ(ResourceManagerPreloadMeshes(nullptr), S_OK);
    // The key of models\man.x, so the registered file is asked instead of this path.
    EXPECT_TRUE(ResourceManagerFileExists("\\nowhere\\MODELS\\MAN.X"));

    EXPECT_EQ(instance->Release(), 0u);
    ExpectNoInstance(folder);
    ASSERT_EQ(InitializeGlobalResourceManager(), S_OK);
    GetGlobalResourceManager()->AddRef();
    GetGlobalResourceManager()->Release();
    EXPECT_EQ(GetGlobalResourceManager(), nullptr);
}

} // namespace
