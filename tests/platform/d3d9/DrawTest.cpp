#include <gtest/gtest.h>

#include "VestraDeviceControl.h"
#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;
using vestra::test::RefCount;

namespace {

struct Vertex {
    float x, y, z;
};

const Vertex kTriangle[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
const WORD kIndices[6] = {0, 1, 2, 2, 1, 0};

class Draw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(device_->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control_)), S_OK);
        ASSERT_EQ(device_->SetFVF(D3DFVF_XYZ), D3D_OK);
    }
    void TearDown() override { control_->Release(); }

    VESTRA_FRAME_STATISTICS Stats() const {
        VESTRA_FRAME_STATISTICS stats;
        control_->GetFrameStatistics(&stats);
        return stats;
    }

    HeadlessDevice device_;
    IVestraDeviceControl* control_ = nullptr;
};

TEST_F(Draw, ScenesPairUp) {
    EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, kTriangle, sizeof(Vertex)), D3DERR_INVALIDCALL);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, kTriangle, sizeof(Vertex)), D3D_OK);
    EXPECT_EQ(device_->EndScene(), D3D_OK);
    EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
}

TEST_F(Draw, UserPointerDrawsCheckArgumentsAndUnbindTheirStreams) {
    device_->BeginScene();
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, nullptr, sizeof(Vertex)), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(7), 1, kTriangle, sizeof(Vertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 3, 2, kIndices, D3DFMT_A8R8G8B8, kTriangle,
                                              sizeof(Vertex)),
              D3DERR_INVALIDCALL);

    IDirect3DVertexBuffer9* vb = nullptr;
    IDirect3DIndexBuffer9* ib = nullptr;
    device_->CreateVertexBuffer(sizeof kTriangle, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &vb, nullptr);
    device_->CreateIndexBuffer(sizeof kIndices, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib, nullptr);
    device_->SetStreamSource(0, vb, 0, sizeof(Vertex));
    device_->SetIndices(ib);
    ASSERT_EQ(device_->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 3, 2, kIndices, D3DFMT_INDEX16, kTriangle,
                                              sizeof(Vertex)),
              D3D_OK);
    IDirect3DVertexBuffer9* stream = vb;
    UINT offset = 1, stride = 1;
    device_->GetStreamSource(0, &stream, &offset, &stride);
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(stride, 0u);
    IDirect3DIndexBuffer9* indices = ib;
    device_->GetIndices(&indices);
    EXPECT_EQ(indices, nullptr);
    EXPECT_EQ(RefCount(vb), 1u);
    EXPECT_EQ(RefCount(ib), 1u);

    // Zero primitives draw nothing and succeed.
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 0, kTriangle, sizeof(Vertex)), D3D_OK);
    // No vertex format at all.
    device_->SetFVF(0);
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, kTriangle, sizeof(Vertex)), D3DERR_INVALIDCALL);
    device_->EndScene();
    vb->Release();
    ib->Release();
}

TEST_F(Draw, BufferDrawsStayInsideTheirBuffers) {
    IDirect3DVertexBuffer9* vb = nullptr;
    IDirect3DIndexBuffer9* ib = nullptr;
    device_->CreateVertexBuffer(sizeof kTriangle, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &vb, nullptr);
    device_->CreateIndexBuffer(sizeof kIndices, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib, nullptr);
    device_->BeginScene();
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);  // no stream
    device_->SetStreamSource(0, vb, 0, sizeof(Vertex));
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 1, 1), D3DERR_INVALIDCALL);  // one vertex too many
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_LINESTRIP, 0, 2), D3D_OK);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 2), D3DERR_INVALIDCALL);  // no indices
    device_->SetIndices(ib);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 2), D3D_OK);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 1, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 1, 0, 3, 0, 1), D3DERR_INVALIDCALL);
    device_->EndScene();
    vb->Release();
    ib->Release();
}

TEST_F(Draw, StatisticsCountValidatedWork) {
    control_->ResetFrameStatistics();
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device_->BeginScene();
    device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, kTriangle, sizeof(Vertex));
    device_->DrawIndexedPrimitiveUP(D3DPT_TRIANGLESTRIP, 0, 3, 4, kIndices, D3DFMT_INDEX16, kTriangle, sizeof(Vertex));
    device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, nullptr, sizeof(Vertex));  // refused: not counted
    device_->EndScene();
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(3), 0);  // refused: not counted
    device_->Present(nullptr, nullptr, nullptr, nullptr);

    const VESTRA_FRAME_STATISTICS stats = Stats();
    EXPECT_EQ(stats.DrawCalls, 2u);
    EXPECT_EQ(stats.Primitives, 5u);
    EXPECT_EQ(stats.Vertices, 3u + 6u);
    EXPECT_EQ(stats.StateChanges, 1u);
    EXPECT_EQ(stats.Clears, 1u);
    EXPECT_EQ(stats.Presents, 1u);
    EXPECT_EQ(stats.Frames, 1u);
    EXPECT_EQ(stats.PixelsWritten, 0u);
    control_->ResetFrameStatistics();
    EXPECT_EQ(Stats().DrawCalls, 0u);
}

}  // namespace
