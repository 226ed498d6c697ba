// A modeless dialog that lives as long as its window: its owner keeps one pointer to it, which
// the dialog clears when its window is destroyed, and then it deletes itself. T is the derived
// dialog class (default-constructible).
#pragma once

#include <new>

#include "platform/dialog.h"

template <typename T>
class CCompanionDialog : public CDialog {
public:
    // Creates the window hidden, owned by owner, and stores the object in *slot. When the
    // object or its window cannot be made, nothing is left behind and false is returned.
    static bool Open(HWND owner, T** slot) {
        T* dialog = new (std::nothrow) T();
        if (!dialog)
            return false;
        if (!dialog->Create(owner) || !dialog->hwnd()) {
            // A window destroyed while it was being made has not deleted its object.
            delete dialog;
            return false;
        }
        dialog->slot_ = slot;
        *slot = dialog;
        return true;
    }

    // Destroys the window; the object goes with it.
    void Close() { EndDialog(IDCANCEL); }
    void Show(int showCommand) { ShowWindow(hwnd(), showCommand); }

protected:
    explicit CCompanionDialog(int templateId) : CDialog(templateId) {}

    // Return closes the window the way Escape does.
    void OnOK() override { Close(); }

    void PostNcDestroy() override {
        if (!slot_)
            return;
        *slot_ = nullptr;
        delete this;
    }

private:
    T** slot_ = nullptr;
};
