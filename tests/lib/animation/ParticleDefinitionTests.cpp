// Particle definition files read from disk, and the profile-file cache behind them.
#include "lib/animation/AnimationTestSupport.h"

#include "IParticleEmitter.h"
#include "animation/ProfileFile.h"
#include "lib/resources/ResourceTestSupport.h"

namespace {

using animation_test::ExpectVector;
using resources_test::TempFolder;

class DefinitionTest : public ::testing::Test {
protected:
    ~DefinitionTest() override { emitter->Release(); }

    HRESULT Load(const std::string& text)
    {
        folder.Write("fire.ini", text);
        return emitter->LoadFromFile(path.c_str());
    }

    TempFolder folder;
    const std::string path = folder / "fire.ini";
    IParticleEmitter* emitter = CreateParticleEmitter();
};

TEST_F(DefinitionTest, ReadsEveryValueWhateverTheCaseSpacingAndComments)
{
    ASSERT_EQ(Load("; a fire\r\n"
                   "[position]\r\nx = 1.5\r\n  Y=-2\r\nz=3e1\r\n"
                   "[SpawnDir0]\r\nX=-1\r\nY=-2\r\nZ=-3\r\n"
                   "[SPAWNDIR1]\r\n;X=100\r\nX=1\r\nY=2\r\nZ=3\r\n"
                   "[EMISSION]\r\nmin=  20.25\r\nMAX=40\r\n"
                   "[ PARTICLE ]\r\nTex = fire.png\r\nLIFE0=.5\r\nLIFE1=2\r\nSIZE0=+4\r\nSIZE1=8\r\n"
                   "[OTHER]\r\nX=99\r\n"
                   "[WIND]\r\nX=0.25\r\nY=-9.5\r\nZ=0\r\n"),
              S_OK);
    ExpectVector(emitter->GetPosition(), 1.5f, -2, 30);
    ExpectVector(emitter->GetSpawnDirection(0), -1, -2, -3);
    ExpectVector(emitter->GetSpawnDirection(1), 1, 2, 3);
    EXPECT_EQ(emitter->GetEmission(0), 20.25f);
    EXPECT_EQ(emitter->GetEmission(1), 40.0f);
    EXPECT_EQ(emitter->GetTextureName(), "fire.png");
    EXPECT_EQ(emitter->GetLife(0), 0.5f);
    EXPECT_EQ(emitter->GetLife(1), 2.0f);
    EXPECT_EQ(emitter->GetSize(0), 4.0f);
    EXPECT_EQ(emitter->GetSize(1), 8.0f);
    ExpectVector(emitter->GetWind(), 0.25f, -9.5f, 0);
}

TEST_F(DefinitionTest, MissingValuesTakeTheirDefaultsAndTextReadsAsZero)
{
    emitter->SetMode(PARTICLE_MODE_DIM);
    emitter->SetColor(D3DXCOLOR(0.5f, 0.5f, 0.5f, 1));
    emitter->SetWind(D3DXVECTOR3(1, 1, 1));
    ASSERT_EQ(Load("[PARTICLE]\nTEX=smoke.png\n[EMISSION]\nMIN=lots\nMAX=7.5 per second\n"), S_OK);
    EXPECT_EQ(emitter->GetTextureName(), "smoke.png");
    ExpectVector(emitter->GetPosition(), 0, 0, 0);
    ExpectVector(emitter->GetSpawnDirection(1), 0, 0, 0);
    ExpectVector(emitter->GetWind(), 0, 0, 0);
    EXPECT_EQ(emitter->GetEmission(0), 0.0f);
    EXPECT_EQ(emitter->GetEmission(1), 7.5f);
    EXPECT_EQ(emitter->GetLife(0), 0.0f);
    EXPECT_EQ(emitter->GetLife(1), 1.0f);
    EXPECT_EQ(emitter->GetSize(0), 1.0f);
    EXPECT_EQ(emitter->GetSize(1), 1.0f);
    // Mode and colour are not part of the file.
    EXPECT_EQ(emitter->GetMode(), PARTICLE_MODE_DIM);
    EXPECT_EQ(emitter->GetColor(), D3DXCOLOR(0.5f, 0.5f, 0.5f, 1));

    ASSERT_EQ(Load("[POSITION]\nX=1\n"), S_OK);
    EXPECT_EQ(emitter->GetTextureName(), "");
}

TEST_F(DefinitionTest, MissingFileChangesNothing)
{
    emitter->SetPosition(D3DXVECTOR3(1, 2, 3));
    EXPECT_EQ(emitter->LoadFromFile((folder / "absent.ini").c_str()), E_INVALIDARG);
    EXPECT_EQ(emitter->LoadFromFile(nullptr), E_INVALIDARG);
    ExpectVector(emitter->GetPosition(), 1, 2, 3);
    EXPECT_EQ(emitter->GetEmission(1), 500.0f);
}

TEST(ProfileFile, ReadsEachKeyFromTheFileOnce)
{
    TempFolder folder;
    folder.Write("p.ini", "[A]\nX=1.5\nN=7\nName=first\n");
    CProfileFile file((folder / "p.ini").c_str());
    EXPECT_TRUE(file.FileExists());
    EXPECT_EQ(file.GetFloat("A", "X", 0.0f), 1.5f);
    EXPECT_EQ(file.GetInt("A", "N", 0), 7);
    EXPECT_STREQ(file.GetString("A", "Name", ""), "first");
    EXPECT_EQ(file.GetFloat("A", "Missing", 2.25f), 2.25f);

    folder.Write("p.ini", "[A]\nX=9\nN=9\nName=second\n");
    EXPECT_EQ(file.GetFloat("A", "X", 0.0f), 1.5f);
    EXPECT_EQ(file.GetInt("A", "N", 0), 7);
    EXPECT_STREQ(file.GetString("A", "Name", ""), "first");
    // The cache goes by the caller's spelling; the file does not.
    EXPECT_EQ(file.GetFloat("a", "x", 0.0f), 9.0f);
    EXPECT_EQ(CProfileFile((folder / "p.ini").c_str()).GetFloat("A", "X", 0.0f), 9.0f);
    EXPECT_STREQ(file.GetString(nullptr, "X", "fallback"), "fallback");

    EXPECT_FALSE(CProfileFile((folder / "none.ini").c_str()).FileExists());
    EXPECT_EQ(CProfileFile((folder / "none.ini").c_str()).GetInt("A", "N", -3), -3);
}

TEST(ProfileFile, WritesThroughAndListsSectionsAndKeys)
{
    TempFolder folder;
    const std::string path = folder / "w.ini";
    CProfileFile file(path.c_str());
    EXPECT_TRUE(file.GetSectionNames(256).empty());
    EXPECT_TRUE(file.WriteFloat("B", "Speed", 1.5f));
    EXPECT_TRUE(file.WriteInt("B", "Count", -4));
    EXPECT_TRUE(file.WriteString("A", "Name", "x"));
    EXPECT_STREQ(file.GetString("B", "Speed", ""), "1.500000");
    EXPECT_EQ(file.GetInt("B", "Count", 0), -4);
    EXPECT_EQ(CProfileFile(path.c_str()).GetFloat("B", "Speed", 0.0f), 1.5f);
    EXPECT_FALSE(file.WriteString(nullptr, "K", "v"));

    EXPECT_EQ(file.GetSectionNames(256), (std::vector<std::string>{"B", "A"}));
    folder.Write("w.ini", "[S]\nfirst=1\nno equals\n=orphan\nsecond=\n");
    EXPECT_EQ(file.GetKeyNames("S", 256), (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(file.GetKeyNames("Absent", 256).empty());
}

} // namespace
