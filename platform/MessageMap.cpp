#include "platform/MessageMap.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig::End, {}}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT message, UINT id, UINT code) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->getBaseMap ? map->getBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->entries; entry->sig != AfxSig::End; ++entry) {
            if (entry->message != message) {
                continue;
            }
            if (message != WM_COMMAND) {
                return entry;
            }
            if (id >= entry->idFirst && id <= entry->idLast && entry->code == code) {
                return entry;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
    const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_COMMAND, id, code);
    if (entry == nullptr) {
        return FALSE;
    }
    if (entry->sig == AfxSig::CommandRange) {
        (this->*entry->handler.commandRange)(id);
    } else {
        (this->*entry->handler.command)();
    }
    return TRUE;
}
