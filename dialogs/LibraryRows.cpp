#include "dialogs/LibraryDlg.h"
#include "dialogs/LibraryRow.h"

#include "platform/Text.h"

#include <windows.h>

#include <cstdio>
#include <cwctype>

// What each of the library window's ways shows: the collections, the stamps found, the repeats.

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

std::wstring NameOf(const std::string& path) {
    return Widen(path.substr(path.find_last_of("\\/") + 1));
}

std::wstring FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return Widen(slash == std::string::npos ? std::string() : path.substr(0, slash));
}

// When a file last changed, as the user's clock shows it: "10/12/2026 a les 01:55".
std::wstring ChangedAt(std::int64_t written) {
    FILETIME utc{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)}, local{};
    SYSTEMTIME time{};
    if (written == 0 || !::FileTimeToLocalFileTime(&utc, &local) ||
        !::FileTimeToSystemTime(&local, &time)) {
        return {};
    }
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%02u/%02u/%04u a les %02u:%02u", time.wDay, time.wMonth, time.wYear,
                  time.wHour, time.wMinute);
    return text;
}

std::wstring StateOf(const library::Shelf& shelf) {
    switch (shelf.entry.state) {
    case library::Entry::State::Collection:
        return std::to_wstring(shelf.stamps.size()) + L" imatges";
    case library::Entry::State::NotACollection:
        return L"no és una col·lecció";
    case library::Entry::State::Unreadable:
        break;
    }
    return L"no es pot llegir";
}

// How a stamp found lies against the one looked for.
std::wstring TurnWords(library::Turn turn) {
    static const wchar_t* const quarters[] = {L"", L"girat a la dreta", L"capgirat",
                                              L"girat a l'esquerra"};
    std::wstring words = turn.mirrored ? L"en mirall" : L"";
    if (turn.quarters != 0) {
        words += (words.empty() ? L"" : L" i ") + std::wstring(quarters[turn.quarters % 4]);
    }
    return words;
}

std::wstring Likeness(const library::Find& find) {
    std::wstring said = find.distance == 0 ? L"el mateix segell" : L"semblant";
    if (find.distance > 0) {
        wchar_t number[32] = {};
        std::swprintf(number, 32, L" (%.1f)", static_cast<double>(find.distance));
        said += number;
    }
    const std::wstring turned = TurnWords(find.turn);
    return turned.empty() ? said : said + L", " + turned;
}

} // namespace

bool CLibraryDlg::Passes(int shelf) const {
    const std::string& path = m_shelves[static_cast<std::size_t>(shelf)].entry.path;
    return Lower(NameOf(path)).find(m_filter) != std::wstring::npos;
}

std::vector<LibraryRow> CLibraryDlg::Rows() const {
    switch (m_mode) {
    case Mode::Search:
        return FoundRows();
    case Mode::Repeats:
        return RepeatRows();
    case Mode::Browse:
        break;
    }
    return CollectionRows();
}

std::vector<LibraryRow> CLibraryDlg::CollectionRows() const {
    std::vector<LibraryRow> rows;
    for (std::size_t i = 0; i < m_shelves.size(); ++i) {
        const library::Shelf& shelf = m_shelves[i];
        if (Passes(static_cast<int>(i))) {
            std::wstring heading = NameOf(shelf.entry.path) + L"  —  " +
                                   FolderOf(shelf.entry.path) + L"  ·  " + StateOf(shelf);
            const std::wstring changed = ChangedAt(shelf.entry.modified);
            heading += changed.empty() ? L"" : L"  ·  canviada el " + changed;
            rows.push_back({heading, &shelf.stamps, {}, {static_cast<int>(i), 0}});
        }
    }
    return rows;
}

std::vector<LibraryRow> CLibraryDlg::FoundRows() const {
    std::vector<LibraryRow> rows;
    if (!m_query) {
        return rows;
    }
    for (const library::Find& find : library::Search(m_shelves, *m_query, Threshold())) {
        if (Passes(find.place.shelf)) {
            const library::Shelf& shelf = m_shelves[static_cast<std::size_t>(find.place.shelf)];
            rows.push_back({NameOf(shelf.entry.path) + L"  ·  imatge " +
                                std::to_wstring(find.place.image) + L"  ·  " + Likeness(find),
                            nullptr,
                            {shelf.stamps[static_cast<std::size_t>(find.place.image - 1)]},
                            find.place});
        }
    }
    return rows;
}

std::vector<LibraryRow> CLibraryDlg::RepeatRows() const {
    std::vector<LibraryRow> rows;
    for (const std::vector<library::Place>& places : library::Repeats(m_shelves)) {
        // "formes.sgc (27, 67) · còpia.sgc (27)": each collection once, its images after it.
        std::wstring where;
        int collections = 0, shelf = -1;
        bool passes = false;
        for (const library::Place& place : places) {
            if (place.shelf != shelf) {
                shelf = place.shelf;
                ++collections;
                passes = passes || Passes(shelf);
                where += (where.empty() ? L"" : L")  ·  ") +
                         NameOf(m_shelves[static_cast<std::size_t>(shelf)].entry.path) + L" (";
            } else {
                where += L", ";
            }
            where += std::to_wstring(place.image);
        }
        if (passes) {
            const library::Place& first = places.front();
            rows.push_back({std::to_wstring(collections) + L" col·leccions: " + where + L")",
                            nullptr,
                            {m_shelves[static_cast<std::size_t>(first.shelf)]
                                 .stamps[static_cast<std::size_t>(first.image - 1)]},
                            first});
        }
    }
    return rows;
}
