#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "ResourceTestSupport.h"
#include "resources/FileRegistry.h"

using resources_test::TempFolder;

namespace {

std::set<std::string> RegisteredPaths(const CFileRegistry& registry)
{
    std::set<std::string> paths;
    for (const auto& entry : registry.Files()) {
        paths.insert(entry.second);
    }
    return paths;
}

TEST(PathKey, IgnoresDriveCaseSeparatorsDotsAndExtensionsOfOneClass)
{
    CFileRegistry registry;
    // "abgfx" by hand: ((((65*32 + 66)*32 + 71)*32 + 70)*32 + 88) mod 33554393.
    for (const char* path : {"ab.png", "AB.DDS", "a\\b.png", "a/b.dds", "C:ab.Png", "a.b.png"}) {
        EXPECT_EQ(registry.ComputePathKey(path), 3286374u) << path;
    }
    EXPECT_EQ(registry.ComputePathKey("AB.X"), 3292442u);  // "abmdl"
    EXPECT_EQ(registry.ComputePathKey("ab.fx"), 2199832u); // "abfx"
    EXPECT_EQ(registry.ComputePathKey("ab.bmp"), 3281470u); // a class of its own: "abbmp"
    EXPECT_EQ(registry.ComputePathKey(""), 0u);
    // Bytes above 0x7F enter sign-extended: 0xFFFFFFE9 mod 33554393 = 4969, then "gfx".
    EXPECT_EQ(registry.ComputePathKey("\xE9.png"), 28681652u);
}

TEST(PathKey, BaseDirectoryDropsWhatPrecedesItsFirstOccurrence)
{
    CFileRegistry registry;
    EXPECT_EQ(registry.ComputePathKey("C:\\x\\media\\tex\\a.dds"), 25205940u); // \X\MEDIA\TEX\AGFX
    EXPECT_EQ(registry.ComputePathKey("\\media\\tex\\a.png"), 22363160u);      // \MEDIA\TEX\AGFX

    registry.SetBaseDirectory("media");
    EXPECT_EQ(registry.BaseDirectory(), "MEDIA");
    EXPECT_EQ(registry.ComputePathKey("C:\\x\\media\\tex\\a.dds"), 22363160u);
    EXPECT_EQ(registry.ComputePathKey("a\\b.png"), 3286374u); // no occurrence: the whole text
    registry.SetBaseDirectory(nullptr);
    EXPECT_EQ(registry.BaseDirectory(), "");
}

TEST(ResolveResourcePath, JoinsTheReferenceDirectoryUnlessTheRegistryKnowsTheFile)
{
    CFileRegistry registry;
    EXPECT_EQ(registry.ResolveResourcePath("C:\\game\\scene.x", "tex\\wood.png"), "C:\\game\\tex\\wood.png");
    EXPECT_EQ(registry.ResolveResourcePath("", "D:tex/wood.png"), "\\tex/wood.png");
    EXPECT_EQ(registry.ResolveResourcePath("C:\\game", "wood.png"), "C:\\wood.png");

    TempFolder folder;
    folder.Write("data/game/tex/wood.dds", "");
    registry.SetBaseDirectory("game");
    registry.RegisterFiles(folder.root.c_str(), "*");
    EXPECT_EQ(registry.ResolveResourcePath("C:\\game\\scene.x", "tex\\wood.png"),
              folder.root + "\\data\\game\\tex\\wood.dds");
}

// Directories are the entries without an extension; only those matching the pattern are
// entered, unless nothing at that level matches.
TEST(RegisterFiles, FollowsThePatternAndTheExtensionRule)
{
    TempFolder folder;
    for (const char* file : {"top.x", "models/m.x", "models/deeper/n.x", "only/dirs/o.x", "mesh.v2/p.x"}) {
        folder.Write(file, "");
    }
    CFileRegistry registry;
    registry.RegisterFiles(folder.root.c_str(), "*.x");
    EXPECT_EQ(RegisteredPaths(registry), std::set<std::string>{folder.root + "\\top.x"});

    std::filesystem::remove(folder / "top.x");
    CFileRegistry nested;
    nested.RegisterFiles(folder.root.c_str(), "*.x");
    EXPECT_EQ(RegisteredPaths(nested),
              (std::set<std::string>{folder.root + "\\models\\m.x", folder.root + "\\only\\dirs\\o.x"}));

    // The same key again: the file registered last wins ("a" is listed before "ab.x").
    folder.Write("a/b.x", "");
    folder.Write("ab.x", "");
    CFileRegistry everything;
    everything.RegisterFiles(folder.root.c_str(), "*");
    EXPECT_EQ(everything.Files().at(everything.ComputePathKey((folder / "a/b.x").c_str())), folder.root + "\\ab.x");

    CFileRegistry untouched;
    untouched.RegisterFiles(nullptr, "*");
    untouched.RegisterFiles(folder.root.c_str(), "");
    EXPECT_TRUE(untouched.Files().empty());
}

TEST(RegisterFiles, FileExistsAsksTheRegisteredFile)
{
    TempFolder folder;
    folder.Write("a.dds", "");
    folder.Write("a.png", "");
    CFileRegistry registry;
    registry.RegisterFiles(folder.root.c_str(), "*.dds");
    EXPECT_TRUE(registry.FileExists((folder / "a.png").c_str()));
    std::filesystem::remove(folder / "a.dds");
    EXPECT_FALSE(registry.FileExists((folder / "a.png").c_str()));
    EXPECT_TRUE(registry.FileExists(folder.root.c_str())); // unregistered: the path itself
}

} // namespace
