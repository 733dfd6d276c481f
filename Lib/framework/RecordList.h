// CRecordList: the growable list the device enumeration keeps its records in. A value list
// copies fixed-size elements; a pointer list stores the pointers themselves and owns
// nothing they point to.
#pragma once

#include <windows.h>

enum RecordListKind { RECORDLIST_VALUES, RECORDLIST_POINTERS };

class CRecordList {
public:
    // A pointer list ignores `elementSize` and stores one pointer per element.
    explicit CRecordList(RecordListKind kind, UINT elementSize = 0);
    ~CRecordList();
    CRecordList(const CRecordList&) = delete;
    CRecordList& operator=(const CRecordList&) = delete;

    // Appends the pointer, or a copy of the `elementSize` bytes at `element`. E_FAIL for a
    // value list of element size 0, E_OUTOFMEMORY when the storage cannot grow.
    HRESULT Add(void* element);
    // Later elements move down by one; an index past the end is ignored.
    void Remove(UINT index);
    // The stored pointer, or the address of the stored value; null past the end.
    void* GetPtr(UINT index) const;
    // Pointer identity, or byte-wise equality of values.
    bool Contains(const void* element) const;
    UINT Count() const { return count; }
    void Clear() { count = 0; }

    RecordListKind Kind() const { return kind; }

private:
    BYTE* Slot(UINT index) const { return storage + static_cast<size_t>(index) * elementSize; }

    RecordListKind kind;
    BYTE* storage = nullptr;
    UINT elementSize;
    UINT count = 0;
    UINT capacity = 0;
};
