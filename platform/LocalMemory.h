#pragma once

#include <windows.h>

// Memory that Windows allocated with LocalAlloc for the caller (CommandLineToArgvW,
// FormatMessage's buffer), freed with LocalFree when the owner goes.
template <typename T> class CLocalMemory {
public:
    explicit CLocalMemory(T* memory = nullptr) : m_memory(memory) {}
    ~CLocalMemory() {
        if (m_memory != nullptr) {
            ::LocalFree(reinterpret_cast<HLOCAL>(m_memory));
        }
    }
    CLocalMemory(const CLocalMemory&) = delete;
    CLocalMemory& operator=(const CLocalMemory&) = delete;

    T* Get() const { return m_memory; }

private:
    T* m_memory;
};
