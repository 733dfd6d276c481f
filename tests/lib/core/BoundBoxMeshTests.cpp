// Bounding boxes read from a mesh's vertex buffer.
#include <gtest/gtest.h>

#include "BoundBox.h"
#include "lib/DeviceQueries.h"

namespace {

struct PositionNormal {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
};

class MeshBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device.get(), nullptr);
        ASSERT_EQ(D3DXCreateMeshFVF(2, 4, D3DXMESH_MANAGED, D3DFVF_XYZ | D3DFVF_NORMAL, device.get(), &mesh), D3D_OK);
        const D3DXVECTOR3 positions[4] = {{0, 0, 0}, {5, -1, 2}, {-3, 4, 1}, {100, 100, 100}};
        PositionNormal* vertices = nullptr;
        ASSERT_EQ(mesh->LockVertexBuffer(0, reinterpret_cast<void**>(&vertices)), D3D_OK);
        for (int i = 0; i < 4; ++i) {
            vertices[i].position = positions[i];
            vertices[i].normal = D3DXVECTOR3(0, 0, 1);
        }
        mesh->UnlockVertexBuffer();
    }
    void TearDown() override
    {
        if (mesh != nullptr) {
            EXPECT_EQ(mesh->Release(), 0u); // no vertex buffer reference left behind
        }
    }

    vestra::test::HeadlessDevice device;
    ID3DXMesh* mesh = nullptr;
};

TEST_F(MeshBoxTest, WholeMesh)
{
    CBoundBox box;
    EXPECT_EQ(InitFromMesh(mesh, box), D3D_OK);
    EXPECT_FALSE(box.IsEmpty());
    EXPECT_EQ(box.Lo(), D3DXVECTOR3(-3, -1, 0));
    EXPECT_EQ(box.Hi(), D3DXVECTOR3(100, 100, 100));
}

TEST_F(MeshBoxTest, SubsetUsesItsRunOfVerticesOnly)
{
    CBoundBox box;
    EXPECT_EQ(InitFromMeshSubset(mesh, 1, 2, box), D3D_OK);
    EXPECT_EQ(box.Lo(), D3DXVECTOR3(-3, -1, 1));
    EXPECT_EQ(box.Hi(), D3DXVECTOR3(5, 4, 2));

    EXPECT_EQ(InitFromMeshSubset(mesh, 0, 0, box), D3D_OK);
    EXPECT_TRUE(box.IsEmpty());
    EXPECT_EQ(InitFromMeshSubset(mesh, 2, -4, box), D3D_OK);
    EXPECT_TRUE(box.IsEmpty());

    // Indices past the mesh are skipped, not read.
    EXPECT_EQ(InitFromMeshSubset(mesh, 3, 50, box), D3D_OK);
    EXPECT_EQ(box.Lo(), D3DXVECTOR3(100, 100, 100));
    EXPECT_EQ(box.Hi(), D3DXVECTOR3(100, 100, 100));
}

} // namespace
