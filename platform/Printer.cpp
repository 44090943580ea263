#include "platform/Printer.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <cmath>
#include <utility>

namespace {

// The dialog's DEVMODE and DEVNAMES, global memory the caller frees.
class CGlobalMemory {
public:
    explicit CGlobalMemory(HGLOBAL memory) : m_memory(memory) {}
    ~CGlobalMemory() {
        if (m_memory != nullptr) {
            ::GlobalFree(m_memory);
        }
    }
    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;
    HGLOBAL Get() const { return m_memory; }

private:
    HGLOBAL m_memory;
};

// The memory locked while the object lives.
template <typename T> class CLocked {
public:
    explicit CLocked(HGLOBAL memory)
        : m_memory(memory),
          m_data(memory != nullptr ? static_cast<T*>(::GlobalLock(memory)) : nullptr) {}
    ~CLocked() {
        if (m_data != nullptr) {
            ::GlobalUnlock(m_memory);
        }
    }
    CLocked(const CLocked&) = delete;
    CLocked& operator=(const CLocked&) = delete;
    T* Get() const { return m_data; }

private:
    HGLOBAL m_memory;
    T* m_data;
};

// Device pixels to tenths of a millimetre; margins rounded up so they never come short.
printing::Tenths Tenths(int pixels, int dpi, bool up) {
    const double tenths = pixels * 254.0 / dpi;
    return static_cast<printing::Tenths>(up ? std::ceil(tenths - 1e-6) : std::floor(tenths + 1e-6));
}

bool AnyPrinter() {
    DWORD needed = 0, count = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                    &count);
    return needed != 0;
}

} // namespace

std::optional<CPrinter> CPrinter::Choose(HWND owner, Outcome& outcome) {
    // Wine's print dialog shows its own English warning when there is no printer, whatever
    // PD_NOWARNING says: asked first, brelt says it in Catalan instead.
    if (!AnyPrinter()) {
        outcome = Outcome::NoPrinter;
        return std::nullopt;
    }
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    // No warning box of the system's when there is no printer: brelt says it, in Catalan.
    dialog.Flags =
        PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOWARNING;
    const BOOL chosen = ::PrintDlgW(&dialog);
    CGlobalMemory mode(dialog.hDevMode), names(dialog.hDevNames);
    if (!chosen) {
        const DWORD error = ::CommDlgExtendedError();
        outcome = error == 0                    ? Outcome::Cancelled
                  : error == PDERR_NODEFAULTPRN ? Outcome::NoPrinter
                                                : Outcome::Failed;
        return std::nullopt;
    }
    if (dialog.hDC == nullptr) {
        outcome = Outcome::Failed;
        return std::nullopt;
    }
    std::wstring name, form;
    bool landscape = false;
    if (CLocked<DEVNAMES> devNames(names.Get()); devNames.Get() != nullptr) {
        name = reinterpret_cast<const wchar_t*>(devNames.Get()) + devNames.Get()->wDeviceOffset;
    }
    if (CLocked<DEVMODEW> devMode(mode.Get()); devMode.Get() != nullptr) {
        if (devMode.Get()->dmFields & DM_FORMNAME) {
            form = devMode.Get()->dmFormName;
        }
        landscape = (devMode.Get()->dmFields & DM_ORIENTATION) &&
                    devMode.Get()->dmOrientation == DMORIENT_LANDSCAPE;
    }
    outcome = Outcome::Chosen;
    return CPrinter(dialog.hDC, std::move(name), std::move(form), landscape);
}

CPrinter::CPrinter(HDC dc, std::wstring name, std::wstring form, bool landscape)
    : m_dc(dc), m_name(std::move(name)), m_form(std::move(form)), m_landscape(landscape) {}

CPrinter::CPrinter(CPrinter&& other) noexcept
    : m_dc(std::exchange(other.m_dc, nullptr)), m_name(std::move(other.m_name)),
      m_form(std::move(other.m_form)), m_landscape(other.m_landscape) {}

CPrinter::~CPrinter() {
    if (m_dc != nullptr) {
        ::DeleteDC(m_dc);
    }
}

printing::Paper CPrinter::Paper() const {
    const int dpiX = ::GetDeviceCaps(m_dc, LOGPIXELSX), dpiY = ::GetDeviceCaps(m_dc, LOGPIXELSY);
    const int width = ::GetDeviceCaps(m_dc, PHYSICALWIDTH);
    const int height = ::GetDeviceCaps(m_dc, PHYSICALHEIGHT);
    const int left = ::GetDeviceCaps(m_dc, PHYSICALOFFSETX);
    const int top = ::GetDeviceCaps(m_dc, PHYSICALOFFSETY);
    const int right = width - left - ::GetDeviceCaps(m_dc, HORZRES);
    const int bottom = height - top - ::GetDeviceCaps(m_dc, VERTRES);
    if (dpiX <= 0 || dpiY <= 0) {
        return {};
    }
    return {Tenths(width, dpiX, false), Tenths(height, dpiY, false), Tenths(left, dpiX, true),
            Tenths(top, dpiY, true),    Tenths(right, dpiX, true),   Tenths(bottom, dpiY, true)};
}

std::wstring CPrinter::PaperWords() const {
    const printing::Paper paper = Paper();
    wchar_t size[64] = {};
    std::swprintf(size, 64, L"%d × %d mm", (paper.width + 5) / 10, (paper.height + 5) / 10);
    const std::wstring way = paper.width > paper.height ? L"horitzontal" : L"vertical";
    return (m_form.empty() ? L"" : m_form + L", ") + size + L", " + way;
}

CPrintJob::CPrintJob(HDC dc, const std::wstring& title) : m_dc(dc) {
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = title.c_str();
    m_started = ::StartDocW(dc, &document) > 0;
}

CPrintJob::~CPrintJob() {
    if (m_started && !m_finished) {
        ::AbortDoc(m_dc);
    }
}

bool CPrintJob::BeginPage() {
    return ::StartPage(m_dc) > 0;
}

bool CPrintJob::EndPage() {
    return ::EndPage(m_dc) > 0;
}

bool CPrintJob::Finish() {
    m_finished = true;
    return ::EndDoc(m_dc) > 0;
}
