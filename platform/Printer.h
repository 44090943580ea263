#pragma once

#include "printing/Paper.h"

#include <windows.h>

#include <optional>
#include <string>

// A printer the user chose in the system's print dialog: its device context, owned, and what
// the dialog set (the paper, its orientation).
class CPrinter {
public:
    enum class Outcome { Chosen, Cancelled, NoPrinter, Failed };
    // The system's print dialog over owner. Only Chosen gives a printer.
    static std::optional<CPrinter> Choose(HWND owner, Outcome& outcome);

    ~CPrinter();
    CPrinter(CPrinter&& other) noexcept;
    CPrinter(const CPrinter&) = delete;
    CPrinter& operator=(const CPrinter&) = delete;
    CPrinter& operator=(CPrinter&&) = delete;

    HDC Dc() const { return m_dc; }
    const std::wstring& Name() const { return m_name; }
    // "A4, 210 × 297 mm, vertical".
    std::wstring PaperWords() const;
    // The paper in the orientation chosen, with the margins the printer can't print on.
    printing::Paper Paper() const;

private:
    CPrinter(HDC dc, std::wstring name, std::wstring form, bool landscape);

    HDC m_dc;
    std::wstring m_name, m_form;
    bool m_landscape;
};

// One document sent to a printer: begun when made, ended by Finish(), abandoned (nothing of it
// printed) when the object goes unfinished.
class CPrintJob {
public:
    CPrintJob(HDC dc, const std::wstring& title);
    ~CPrintJob();
    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    bool Started() const { return m_started; }
    // Each page is drawn between the two.
    bool BeginPage();
    bool EndPage();
    bool Finish();

private:
    HDC m_dc;
    bool m_started, m_finished = false;
};
