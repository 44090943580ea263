#include "app/CommandTable.h"

#include "app/breltDlg.h"
#include "res/resource.h"

#include <algorithm>
#include <iterator>

namespace {

using D = CBreltDlg;

constexpr CommandKey kNoKey{};
constexpr CommandKey Ctrl(char letter) {
    return {static_cast<UINT>(letter), true, false};
}

const Command kCommands[] = {
    // Fitxer
    {ID_FILE_OPEN_SOURCE, L"Obre l'&origen...", nullptr, kNoKey, nullptr, &D::OnOpenSource,
     nullptr},
    {ID_FILE_OPEN_TARGET, L"Obre la &destinació...", nullptr, Ctrl('O'), nullptr, &D::OnOpenTarget,
     nullptr},
    {ID_FILE_NEW_COLLECTION, L"&Nova col·lecció...", nullptr, Ctrl('N'), nullptr,
     &D::OnNewCollection, nullptr},
    {ID_LIBRARY, L"&Biblioteca...", nullptr, Ctrl('B'), nullptr, &D::OnLibrary, nullptr},
    {ID_SEARCH_PICTURE, L"&Cerca una imatge a la biblioteca...", nullptr, kNoKey, nullptr,
     &D::OnSearchPicture, nullptr},
    {ID_LIBRARY_REPEATS, L"Repetits a la biblio&teca...", nullptr, kNoKey, nullptr,
     &D::OnLibraryRepeats, nullptr},
    {ID_IMPORT_PICTURES_HERE, L"&Importa imatges a la destinació...", L"&Importa imatges aquí...",
     kNoKey, &D::CanWriteTarget, &D::OnImportPicturesHere, nullptr},
    {ID_IMPORT_SHEET, L"Importa un full de se&gells...", nullptr, kNoKey, &D::CanWriteTarget,
     &D::OnImportSheet, nullptr},
    {ID_EXPORT_COLLECTION_PNG, L"E&xporta la col·lecció en PNG...", nullptr, kNoKey,
     &D::CanActOnActivePane, &D::OnExportCollectionPng, nullptr},
    {ID_PRINT, L"Im&primeix...", nullptr, Ctrl('P'), &D::CanActOnActivePane, &D::OnPrint, nullptr},
    {ID_FILE_EXIT, L"&Surt", nullptr, {VK_F4, false, true}, nullptr, &D::OnCancel, nullptr},
    // Edita
    {ID_UNDO, L"&Desfés", L"Des&fés", Ctrl('Z'), &D::CanUndo, &D::OnUndo, &D::UndoSubject},
    {ID_REDO, L"&Refés", nullptr, Ctrl('Y'), &D::CanRedo, &D::OnRedo, &D::RedoSubject},
    {ID_COPY_IMAGE, L"&Copia la imatge", nullptr, Ctrl('C'), &D::CanActOnActivePane,
     &D::OnCopyImage, nullptr},
    {ID_PASTE_HERE, L"E&nganxa", L"E&nganxa aquí", Ctrl('V'), &D::CanWriteTarget, &D::OnPasteHere,
     nullptr},
    {ID_EDIT_IMAGE,
     L"&Edita la imatge...",
     nullptr,
     {VK_F2, false, false},
     &D::CanWriteTarget,
     &D::OnEditImage,
     nullptr},
    {ID_LOAD_IMAGE, L"C&arrega una imatge...", nullptr, kNoKey, nullptr, &D::OnLoadImage, nullptr},
    // Col·lecció
    {ID_SHOW_OVERVIEW, L"&Mostra tota la col·lecció...", nullptr, Ctrl('T'), &D::CanActOnActivePane,
     &D::OnShowOverview, nullptr},
    {ID_SAVE_IMAGE_PNG, L"&Desa la imatge com a PNG...", nullptr, kNoKey, &D::CanActOnActivePane,
     &D::OnSaveImagePng, nullptr},
    {ID_MAKE_ROOM, L"Fes &lloc aquí...", nullptr, kNoKey, &D::CanWriteTarget, &D::OnMakeRoom,
     nullptr},
    {ID_CREATE_TEXT_STAMPS, L"Crea segells de &text...", nullptr, kNoKey, &D::CanWriteTarget,
     &D::OnCreateTextStamps, nullptr},
    {ID_PREVIOUS_VERSIONS, L"&Versions anteriors...", nullptr, kNoKey, &D::CanWriteTarget,
     &D::OnPreviousVersions, nullptr},
    {ID_SEARCH_STAMP, L"Cerca aquest &segell a la biblioteca...", nullptr, kNoKey,
     &D::CanActOnActivePane, &D::OnSearchStamp, nullptr},
    {ID_COMPARE_WITH, L"Com&para amb...", nullptr, kNoKey, &D::CanWriteTarget, &D::OnCompareWith,
     nullptr},
    // Ajuda
    {ID_HELP_GUIDE,
     L"&Com s'utilitza brelt",
     nullptr,
     {VK_F1, false, false},
     nullptr,
     &D::OnHelpGuide,
     nullptr},
    {ID_HELP_ABOUT, L"&Quant a brelt...", nullptr, kNoKey, nullptr, &D::OnAbout, nullptr},
};

} // namespace

const Command* FindCommand(UINT id) {
    auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                              [id](const Command& command) { return command.id == id; });
    return found != std::end(kCommands) ? found : nullptr;
}

const Command* CommandForKey(UINT virtualKey, bool control) {
    auto found = std::find_if(std::begin(kCommands), std::end(kCommands), [&](const Command& c) {
        return c.key.virtualKey == virtualKey && c.key.control == control && !c.key.alt;
    });
    return virtualKey != 0 && found != std::end(kCommands) ? found : nullptr;
}

std::wstring KeyText(const CommandKey& key) {
    if (key.virtualKey == 0) {
        return {};
    }
    std::wstring text = key.control ? L"Ctrl+" : key.alt ? L"Alt+" : L"";
    if (key.virtualKey >= VK_F1 && key.virtualKey <= VK_F24) {
        return text + L"F" + std::to_wstring(key.virtualKey - VK_F1 + 1);
    }
    return text + static_cast<wchar_t>(key.virtualKey);
}

const std::vector<MenuLayout>& MenuBarLayout() {
    static const std::vector<MenuLayout> layout = {
        {L"&Fitxer",
         {ID_FILE_OPEN_SOURCE, ID_FILE_OPEN_TARGET, ID_FILE_NEW_COLLECTION, ID_LIBRARY,
          ID_SEARCH_PICTURE, ID_LIBRARY_REPEATS, kRecentCollections, kSeparator,
          ID_IMPORT_PICTURES_HERE, ID_IMPORT_SHEET, ID_EXPORT_COLLECTION_PNG, kSeparator, ID_PRINT,
          kSeparator, ID_FILE_EXIT}},
        {L"&Edita",
         {ID_UNDO, ID_REDO, kSeparator, ID_COPY_IMAGE, ID_PASTE_HERE, kSeparator, ID_EDIT_IMAGE,
          ID_LOAD_IMAGE}},
        {L"&Col·lecció",
         {ID_SHOW_OVERVIEW, ID_SAVE_IMAGE_PNG, ID_MAKE_ROOM, ID_CREATE_TEXT_STAMPS, kSeparator,
          ID_PREVIOUS_VERSIONS, ID_COMPARE_WITH, kSeparator, ID_SEARCH_STAMP}},
        {L"&Ajuda", {ID_HELP_GUIDE, kSeparator, ID_HELP_ABOUT}},
    };
    return layout;
}

const std::vector<UINT>& PaneMenuLayout(bool target) {
    static const std::vector<UINT> targetMenu = {ID_EDIT_IMAGE,
                                                 ID_COPY_IMAGE,
                                                 ID_PASTE_HERE,
                                                 kSeparator,
                                                 ID_SHOW_OVERVIEW,
                                                 ID_SAVE_IMAGE_PNG,
                                                 ID_EXPORT_COLLECTION_PNG,
                                                 ID_IMPORT_PICTURES_HERE,
                                                 ID_IMPORT_SHEET,
                                                 ID_MAKE_ROOM,
                                                 ID_CREATE_TEXT_STAMPS,
                                                 ID_SEARCH_STAMP,
                                                 kSeparator,
                                                 ID_UNDO,
                                                 ID_REDO,
                                                 ID_PREVIOUS_VERSIONS};
    static const std::vector<UINT> sourceMenu = {ID_COPY_IMAGE,
                                                 kSeparator,
                                                 ID_SHOW_OVERVIEW,
                                                 ID_SAVE_IMAGE_PNG,
                                                 ID_EXPORT_COLLECTION_PNG,
                                                 ID_SEARCH_STAMP,
                                                 kSeparator,
                                                 ID_UNDO,
                                                 ID_REDO};
    return target ? targetMenu : sourceMenu;
}
