#include "framework/RecordList.h"

#include <cstdlib>
#include <cstring>

CRecordList::CRecordList(RecordListKind kind, UINT elementSize)
    : kind(kind), elementSize(kind == RECORDLIST_POINTERS ? static_cast<UINT>(sizeof(void*)) : elementSize) {}

CRecordList::~CRecordList() { std::free(storage); }

HRESULT CRecordList::Add(void* element) {
    if (elementSize == 0) return E_FAIL;
    if (count == capacity) {
        // Realloc rather than new: a failed growth is reported, the list stays intact.
        const UINT grown = capacity == 0 ? 16 : capacity * 2;
        void* larger = std::realloc(storage, static_cast<size_t>(grown) * elementSize);
        if (!larger) return E_OUTOFMEMORY;
        storage = static_cast<BYTE*>(larger);
        capacity = grown;
    }
    if (kind == RECORDLIST_POINTERS)
        std::memcpy(Slot(count), &element, elementSize);
    else
        std::memcpy(Slot(count), element, elementSize);
    ++count;
    return S_OK;
}

void CRecordList::Remove(UINT index) {
    if (index >= count) return;
    std::memmove(Slot(index), Slot(index + 1), static_cast<size_t>(count - index - 1) * elementSize);
    --count;
}

void* CRecordList::GetPtr(UINT index) const {
    if (index >= count) return nullptr;
    if (kind == RECORDLIST_VALUES) return Slot(index);
    void* pointer;
    std::memcpy(&pointer, Slot(index), sizeof pointer);
    return pointer;
}

bool CRecordList::Contains(const void* element) const {
    for (UINT i = 0; i < count; ++i) {
        if (kind == RECORDLIST_POINTERS ? GetPtr(i) == element : std::memcmp(Slot(i), element, elementSize) == 0)
            return true;
    }
    return false;
}
