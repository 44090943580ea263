#pragma once

#include <windows.h>

#include <objbase.h>

// COM for this thread while the object lives, single-threaded as the picture decoders and the
// common dialogs want it; left as it was when the thread had it already in another mode.
class CComApartment {
public:
    CComApartment() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComApartment() {
        if (SUCCEEDED(m_result)) { // S_FALSE too: every successful call is paired
            ::CoUninitialize();
        }
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    bool Entered() const { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};
