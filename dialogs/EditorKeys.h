#pragma once

#include "platform/Hook.h"

class CEditorDlg;

// The editor's keys, taken from its modal loop before the dialog manager sees them: the tools'
// letters wherever the focus is (but in a text box), Ctrl with a letter, and Esc, Supr and the
// arrows for a selection. For as long as the object lives.
class CEditorKeys {
public:
    explicit CEditorKeys(CEditorDlg& editor);
    ~CEditorKeys();
    CEditorKeys(const CEditorKeys&) = delete;
    CEditorKeys& operator=(const CEditorKeys&) = delete;

private:
    CEditorDlg* m_outer;
    CWindowsHook m_hook;
};
