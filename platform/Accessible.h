#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

// What a screen reader is told of one of brelt's own controls, in Catalan: the control itself
// (child 0) and its parts (children 1..ChildCount()), each with a name, a role, a state, and a
// value and a description where it has them.
class CAccessibleParts {
public:
    virtual ~CAccessibleParts() = default;
    virtual int ChildCount() const { return 0; }
    virtual std::wstring Name(int child) const = 0;
    virtual long Role(int child) const = 0;
    virtual long State(int) const { return 0; }
    virtual std::wstring Value(int) const { return {}; }
    virtual std::wstring Description(int) const { return {}; }
    // The part's rectangle in the control's client coordinates; the whole control for 0.
    virtual RECT Location(int child) const = 0;
    // The part at a point of the client area, 0 for none.
    virtual int ChildAt(POINT client) const = 0;
    // The part that has the keyboard's attention when the control has the focus, 0 for none.
    virtual int FocusedChild() const { return 0; }
};

// The IAccessible a control hands out from WM_GETOBJECT: it asks the control's parts while the
// control lives, and says the object is gone afterwards (a screen reader may keep it longer).
// The parent and navigation among windows come from the system's own object for the window.
class CAccessible;

// Answers WM_GETOBJECT for the client area of window with parts' object, made the first time
// and kept in `object` (released by ReleaseAccessible); 0 for any other object asked.
LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId, const CAccessibleParts& parts,
                        CAccessible*& object);
// The control is going: its object no longer asks it.
void ReleaseAccessible(CAccessible*& object);

// Tells a screen reader what changed (EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION,
// EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE...) for a part of window's client area.
void NotifyAccessible(DWORD event, HWND window, int child);
