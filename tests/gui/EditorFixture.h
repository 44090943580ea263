#pragma once

#include "BrowserFixture.h"

#include "editor/Stamp.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <functional>

// The canvas's client point at the centre of pixel (x, y).
inline POINT PixelCentre(HWND editor, int x, int y) {
    HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
    RECT client;
    ::GetClientRect(canvas, &client);
    int zoom = client.right / 32;
    return {x * zoom + zoom / 2, y * zoom + zoom / 2};
}

inline LPARAM PixelPoint(HWND editor, int x, int y) {
    POINT p = PixelCentre(editor, x, y);
    return MAKELPARAM(p.x, p.y);
}

inline void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    ::PostMessageW(window, message, wParam, lParam);
}

// Keys pressed on a control, as the keyboard sends them.
inline void Keys(HWND control, std::initializer_list<UINT> keys) {
    for (UINT key : keys) {
        Post(control, WM_KEYDOWN, key, 1);
        Post(control, WM_KEYUP, key, 0xC0000001);
    }
}

// A button of a dialog clicked, in its turn after what was posted before.
inline void PostClick(HWND dialog, int id) {
    Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
         reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

inline std::vector<unsigned> ColoursOf(const editor::Stamp& stamp) {
    std::vector<unsigned> colours;
    for (int i = 0; i < 32 * 32; ++i) {
        editor::Rgb rgb = editor::Shown(stamp.ColourAt({i % 32, i / 32}));
        colours.push_back(static_cast<unsigned>(rgb.red << 16 | rgb.green << 8 | rgb.blue));
    }
    return colours;
}

// Whether the canvas comes to show stamp (its grid off).
inline bool CanvasShows(HWND editor, const editor::Stamp& stamp) {
    HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
    RECT client;
    ::GetClientRect(canvas, &client);
    return Eventually([&] { return StampOnScreen(canvas, client.right / 32) == ColoursOf(stamp); });
}

// The real editor over the current target image, driven as a user would.
class Editor : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers().dialog = nullptr;
        // The real pointer away from where the editor opens: a window appearing under it is
        // told the mouse moved, and the canvas outlines that pixel and names it in the status.
        ::SetCursorPos(0, 0);
        Open(IDC_OPEN_TARGET, file_.Path());
        GoTo(IDC_TARGET_GOTO_BOX, L"7");
    }
    // Opens the editor on the current image and runs act on it, in the editor's own modal loop.
    // An act that stopped short (a failed assertion) leaves the editor open: it is closed, its
    // changes discarded, so that the test ends rather than waits.
    bool Edit(const std::function<void(HWND editor)>& act) {
        WindowDriver driver(L"Edita el segell", [&](HWND editor) {
            act(editor);
            if (!WaitUntilClosed(editor, 5000)) {
                PostClick(editor, IDCANCEL);
                if (HWND question = WaitForWindow(L"Avís", 3000)) {
                    Click(question, IDOK);
                }
                ADD_FAILURE() << "the editor was left open";
            }
        });
        Command(ID_EDIT_IMAGE);
        return driver.Found();
    }
    editor::Stamp Stored(int image) const {
        return editor::Stamp::FromArea(PixelArea(file_.Read(), image));
    }
    Bytes collection_ = MakeCollection(202752, 171);
    ScratchFile file_{collection_};
};
