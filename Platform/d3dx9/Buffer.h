// ID3DXBuffer over a byte vector.
#pragma once

#include <d3dx9core.h>

#include <atomic>
#include <vector>

namespace vestra::d3dx9 {

class CBuffer final : public ID3DXBuffer {
public:
    explicit CBuffer(DWORD size);

    STDMETHOD(QueryInterface)(REFIID riid, LPVOID* ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD_(LPVOID, GetBufferPointer)() override;
    STDMETHOD_(DWORD, GetBufferSize)() override;

private:
    ~CBuffer() = default;

    std::atomic<ULONG> m_refCount{1};
    std::vector<BYTE> m_bytes;
};

}  // namespace vestra::d3dx9
