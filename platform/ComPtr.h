#pragma once

#include <unknwn.h>

// A COM interface pointer that the object owns: released when the object goes.
template <class T> class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() {
        if (m_p != nullptr) {
            m_p->Release();
        }
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    // Handed on whole: the one moved from holds nothing.
    CComPtr(CComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }

    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* Get() const { return m_p; }
    // Where a creating call puts the new interface; the object must hold none yet.
    T** operator&() { return &m_p; }

private:
    T* m_p = nullptr;
};
