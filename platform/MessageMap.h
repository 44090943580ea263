#pragma once

#include <windows.h>

#include <shellapi.h>

// Message maps: static tables that route a window message, or a control's notification, to a
// member function. A class declares its table with DECLARE_MESSAGE_MAP() and defines it between
// BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP(); lookups walk from a class's table to its
// base's, so a derived class's entry wins.

class CCmdTarget;

// The handler signatures a table can hold; the entry's signature says which member is set.
enum class AfxSig {
    End,
    Command,       // void ()
    CommandRange,  // void (UINT id)
    SysCommand,    // void (UINT id, LPARAM lParam)
    Paint,         // void ()
    QueryDragIcon, // HCURSOR ()
    DropFiles,     // void (HDROP)
    ContextMenu,   // void (HWND window, POINT screenPoint)
    Notify,        // void (NMHDR* header, LRESULT* result)
    Message,       // LRESULT (WPARAM, LPARAM)
    InitMenuPopup, // void (HMENU popup, UINT index, BOOL systemMenu)
};

union AfxHandler {
    void (CCmdTarget::*command)();
    void (CCmdTarget::*commandRange)(UINT);
    void (CCmdTarget::*sysCommand)(UINT, LPARAM);
    HCURSOR (CCmdTarget::*queryDragIcon)();
    void (CCmdTarget::*dropFiles)(HDROP);
    void (CCmdTarget::*contextMenu)(HWND, POINT);
    void (CCmdTarget::*notify)(NMHDR*, LRESULT*);
    LRESULT (CCmdTarget::*message)(WPARAM, LPARAM);
    void (CCmdTarget::*initMenuPopup)(HMENU, UINT, BOOL);
};

struct AFX_MSGMAP_ENTRY {
    UINT message; // WM_COMMAND for commands and notifications
    UINT code;    // notification code (WM_COMMAND only)
    UINT idFirst; // control or command ids (WM_COMMAND only)
    UINT idLast;
    AfxSig sig;
    AfxHandler handler;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*getBaseMap)();
    const AFX_MSGMAP_ENTRY* entries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, 0, AfxSig::End, {}                                                                \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

#define AFX_COMMAND_HANDLER(memberFxn)                                                             \
    AfxHandler {                                                                                   \
        .command = static_cast<void (CCmdTarget::*)()>(                                            \
            static_cast<void (ThisClass::*)()>(&ThisClass::memberFxn))                             \
    }

// A command from a menu or an accelerator, or a button's click: notification code 0.
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(id), AfxSig::Command, AFX_COMMAND_HANDLER(memberFxn)},

#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND, (UINT)(code),    (UINT)(id),                                                      \
     (UINT)(id), AfxSig::Command, AFX_COMMAND_HANDLER(memberFxn)},

// One handler for a notification from any control of ids idFirst to idLast; it gets the id.
#define ON_CONTROL_RANGE(code, idFirst, idLast, memberFxn)                                         \
    {WM_COMMAND,                                                                                   \
     (UINT)(code),                                                                                 \
     (UINT)(idFirst),                                                                              \
     (UINT)(idLast),                                                                               \
     AfxSig::CommandRange,                                                                         \
     AfxHandler{.commandRange = static_cast<void (CCmdTarget::*)(UINT)>(                           \
                    static_cast<void (ThisClass::*)(UINT)>(&ThisClass::memberFxn))}},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig::SysCommand,                                                                           \
     AfxHandler{.sysCommand = static_cast<void (CCmdTarget::*)(UINT, LPARAM)>(                     \
                    static_cast<void (ThisClass::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand))}},

#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig::Paint, AFX_COMMAND_HANDLER(OnPaint)},

#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON,                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig::QueryDragIcon,                                                                        \
     AfxHandler{.queryDragIcon = static_cast<HCURSOR (CCmdTarget::*)()>(                           \
                    static_cast<HCURSOR (ThisClass::*)()>(&ThisClass::OnQueryDragIcon))}},

#define ON_WM_DROPFILES()                                                                          \
    {WM_DROPFILES,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig::DropFiles,                                                                            \
     AfxHandler{.dropFiles = static_cast<void (CCmdTarget::*)(HDROP)>(                             \
                    static_cast<void (ThisClass::*)(HDROP)>(&ThisClass::OnDropFiles))}},

#define ON_WM_CONTEXTMENU()                                                                        \
    {WM_CONTEXTMENU,                                                                               \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig::ContextMenu,                                                                          \
     AfxHandler{.contextMenu = static_cast<void (CCmdTarget::*)(HWND, POINT)>(                     \
                    static_cast<void (ThisClass::*)(HWND, POINT)>(&ThisClass::OnContextMenu))}},

// Every WM_NOTIFY from a child or a tool tip, to OnNotify(NMHDR*, LRESULT*).
#define ON_WM_NOTIFY()                                                                             \
    {WM_NOTIFY,                                                                                    \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig::Notify,                                                                               \
     AfxHandler{.notify = static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(                     \
                    static_cast<void (ThisClass::*)(NMHDR*, LRESULT*)>(&ThisClass::OnNotify))}},

// A menu about to open, to OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu).
#define ON_WM_INITMENUPOPUP()                                                                      \
    {WM_INITMENUPOPUP,                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig::InitMenuPopup,                                                                        \
     AfxHandler{                                                                                   \
         .initMenuPopup = static_cast<void (CCmdTarget::*)(HMENU, UINT, BOOL)>(                    \
             static_cast<void (ThisClass::*)(HMENU, UINT, BOOL)>(&ThisClass::OnInitMenuPopup))}},

// A message of the program's own (WM_APP and on) to a handler LRESULT (WPARAM, LPARAM).
#define ON_MESSAGE(msg, memberFxn)                                                                 \
    {(UINT)(msg),                                                                                  \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig::Message,                                                                              \
     AfxHandler{.message = static_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(                   \
                    static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))}},

// The root of every message-map chain.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler mapped to command id with notification code; false when there is none.
    virtual BOOL OnCmdMsg(UINT id, UINT code);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry for message (and, for WM_COMMAND, id and code) along the chain, or null.
    const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT id, UINT code) const;
};
