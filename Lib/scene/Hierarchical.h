// CHierarchical<T>: an ordered child list with overridable list operations.
//
// A derived class overrides AppendChild, GetChildAt and EraseChild when list changes must
// do more (the scene node keeps reference counts and parent links right that way); the
// base versions are the raw list operations it can fall back on.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

template <typename T>
class CHierarchical {
public:
    CHierarchical() = default;
    CHierarchical(const CHierarchical&) = default;
    CHierarchical& operator=(const CHierarchical&) = default;
    virtual ~CHierarchical() = default;

    virtual HRESULT AppendChild(T child)
    {
        children.push_back(child);
        return S_OK;
    }

    // A null value for an index outside the list.
    virtual T GetChildAt(int index)
    {
        if (index < 0 || static_cast<size_t>(index) >= children.size()) {
            return T{};
        }
        return children[static_cast<size_t>(index)];
    }

    // Overwrites an element; the index must be inside the list.
    virtual void SetChildAt(int index, T child)
    {
        children[static_cast<size_t>(index)] = child;
    }

    // The first index holding the value, or -1.
    virtual int IndexOfChild(T child)
    {
        const int count = static_cast<int>(children.size());
        for (int index = 0; index < count; ++index) {
            if (GetChildAt(index) == child) {
                return index;
            }
        }
        return -1;
    }

    // Removes the first element equal to the value, closing the gap; E_FAIL if none.
    virtual HRESULT EraseChild(T child)
    {
        const auto found = std::find(children.begin(), children.end(), child);
        if (found == children.end()) {
            return E_FAIL;
        }
        children.erase(found);
        return S_OK;
    }

protected:
    std::vector<T> children;
};
