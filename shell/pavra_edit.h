// The bar's two single-line editors: the input line (CeqnPavraEdit) and the answer line
// (CansPavraEdit). Positions are byte offsets in the line's code page 932 text, whatever the
// edit control itself counts.
#pragma once

#include <windows.h>

#include <string>

#include "shell/key_state.h"
#include "shell/line_positions.h"

class CpavraEdit {
public:
    CpavraEdit() = default;
    virtual ~CpavraEdit();

    CpavraEdit(const CpavraEdit&) = delete;
    CpavraEdit& operator=(const CpavraEdit&) = delete;

    // Binds the object to an edit control of a dialog (once, after the dialog is created).
    virtual void Attach(HWND edit);
    HWND hwnd() const { return hwnd_; }

    std::string Text() const;
    int Length() const;
    // The ordered selection (start <= end).
    void GetSel(int& start, int& end) const;
    // Anchor and active end (the caret shows at active), then the caret is scrolled into view.
    // A position inside a double-byte character falls back to the character's first byte.
    void Select(int anchor, int active);
    void CaretTo(int position) { Select(position, position); }
    void SetReadOnly(bool readOnly);
    void CopyToClipboard();

    // The editing commands of the key hook; start and end are the selection read before the key.
    void RunCommand(KeyCommand command, int start, int end);

    virtual void KillToEnd(int start) = 0;
    virtual void KillSelection(int start) = 0;
    virtual void Paste(int start, int end) = 0;
    virtual void DeleteForward(int start, int end) = 0;

    int mark = -1;
    int promptLength = 0;

protected:
    void Detach() { hwnd_ = nullptr; }
    LinePositions Positions() const;
    // The editable line's versions of the four operations.
    void CutToEnd(int start);
    void CutSelection();
    void PasteAtPoint(int start, int end);
    void DeleteCharAtPoint(int start, int end);

private:
    void LineStart();
    void LineEnd(int length);
    void CharForward(int start, int end);
    void CharBackward(int start, int end);
    void SetMark(int start, int end);
    int SelectionEnd() const;

    HWND hwnd_ = nullptr;
};

class CeqnPavraEdit : public CpavraEdit {
public:
    void KillToEnd(int start) override;
    void KillSelection(int start) override;
    void Paste(int start, int end) override;
    void DeleteForward(int start, int end) override;
};

class CansPavraEdit : public CpavraEdit {
public:
    ~CansPavraEdit() override;
    void Attach(HWND edit) override;

    void KillToEnd(int start) override;
    void KillSelection(int start) override;
    void Paste(int start, int end) override;
    void DeleteForward(int start, int end) override;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void KeepSelectionOffPrompt(bool always);
};
