// Fuzzes the in-place editor's text model on the host build: a sequence of
// editing operations decoded from the input is applied either to the editing
// buffer alone or to an in-place editor window (through the messages a user's
// typing produces, between a control window and a grid window).
//
// Byte 0: bit 0 the way in (0 the buffer, 1 the editor window), bit 1 a
// multi-line buffer, bit 2 a read-only buffer, bits 3-4 the editor's input
// type (0 free text, 1 whole number, 2 decimal), bit 5 the numeric limit on,
// bit 6 a host that rewrites characters ('a'..'z' to upper case, '#' to a
// two-byte character). Bytes 1 and 2: the limit's minimum (signed) and its
// width. Then operations, each an operation byte and its arguments: a typed
// byte, a two-byte character typed as two bytes or as one IME character,
// Backspace, Delete, a caret key with Shift and Ctrl, a selection, a paste, a
// new text, a line break or tab.
//
// After every operation:
//  - the selection's ends lie inside the text, on character starts;
//  - as long as every text that came from outside (pastes, new texts) was
//    made of whole characters, the text is made of whole characters: every
//    lead byte has a valid trail byte after it;
//  - a read-only buffer changes only by a paste or a new text (as the
//    system's control, which refuses typing only);
//  - character messages, IME characters, Backspace and Delete do to the
//    buffer's text and selection what a small model of the system's control
//    says (a lead byte waits for a valid second byte, Backspace removes one
//    character or "\r\n" or the selection, ...);
//  - in a numeric editor, a character that was typed leaves a text that
//    reads as a number the limit can still reach.
#include "base/CString.h"
#include "base/Cp936.h"
#include "base/WinConstants.h"
#include "cells/CellEditNotifyInfo.h"
#include "cells/EditBuffer.h"
#include "cells/InPlaceEdit.h"
#include "cells/NumericInput.h"
#include "platform/System.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <string>
#include <utility>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Reads the operations' bytes; 0 once they run out.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    // Up to n bytes (n from the next byte, at most 15), cut at a NUL.
    std::string Text()
    {
        const size_t n = Byte() % 16;
        std::string text;
        for (size_t i = 0; i < n && More(); ++i)
            text += static_cast<char>(Byte());
        return std::string(text.c_str());
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Whether the text is whole characters: every lead byte followed by a valid
// trail byte.
bool Whole(const std::string& s)
{
    for (size_t i = 0; i < s.size(); ++i) {
        if (cp936::IsLeadByte(s[i])) {
            if (i + 1 >= s.size() || !cp936::IsTrailByte(static_cast<unsigned char>(s[i + 1])))
                return false;
            ++i;
        }
    }
    return true;
}

void CheckSelection(const std::string& text, int start, int end)
{
    const int length = static_cast<int>(text.size());
    Check(0 <= start && start <= end && end <= length);
    Check(cp936::IsCharBoundary(text.data(), length, start));
    Check(cp936::IsCharBoundary(text.data(), length, end));
}

const UINT kCaretKeys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_UP, VK_DOWN};

// ------------------------------------------------------------ the buffer

// What a buffer should hold: its text, its selection, the lead byte typed
// and waiting for its second byte.
struct Model {
    std::string text;
    int anchor = 0;
    int caret = 0;
    int pending = -1;

    int Start() const { return std::min(anchor, caret); }
    int End() const { return std::max(anchor, caret); }
    void Replace(int from, int to, const std::string& with)
    {
        text = text.substr(0, static_cast<size_t>(from)) + with + text.substr(static_cast<size_t>(to));
        anchor = caret = from + static_cast<int>(with.size());
    }
    void Take(const CEditBuffer& buffer)
    {
        text = buffer.GetText().Str();
        buffer.GetSel(anchor, caret);
        if (buffer.GetCaret() != caret)
            std::swap(anchor, caret);
    }
};

// A character message as the system's control takes it: a lead byte waits
// for a valid second byte (anything else drops it and counts as itself);
// Backspace deletes the selection or the character before the caret (a
// "\r\n" whole); Enter and line feed break a multi-line text, Tab goes into
// it; printable bytes replace the selection; a read-only text stays.
void ModelChar(Model& m, unsigned char ch, bool multiLine, bool readOnly)
{
    const int length = static_cast<int>(m.text.size());
    if (m.pending >= 0) {
        const char lead = static_cast<char>(m.pending);
        m.pending = -1;
        if (cp936::IsTrailByte(ch)) {
            if (!readOnly)
                m.Replace(m.Start(), m.End(), std::string{lead, static_cast<char>(ch)});
            return;
        }
    }
    if (ch == VK_BACK) {
        if (readOnly)
            return;
        if (m.Start() != m.End()) {
            m.Replace(m.Start(), m.End(), std::string());
        } else if (m.caret > 0) {
            int from = cp936::PrevChar(m.text.data(), length, m.caret);
            if (from > 0 && m.text[static_cast<size_t>(from)] == '\n' &&
                cp936::PrevChar(m.text.data(), length, from) == from - 1 &&
                m.text[static_cast<size_t>(from - 1)] == '\r')
                --from;
            m.Replace(from, m.caret, std::string());
        }
        return;
    }
    if (ch == '\r' || ch == '\n') {
        if (multiLine && !readOnly)
            m.Replace(m.Start(), m.End(), "\r\n");
        return;
    }
    if (ch == '\t') {
        if (multiLine && !readOnly)
            m.Replace(m.Start(), m.End(), "\t");
        return;
    }
    if (ch < 0x20)
        return;
    if (cp936::IsLeadByte(ch)) {
        m.pending = ch;
        return;
    }
    if (!readOnly)
        m.Replace(m.Start(), m.End(), std::string(1, static_cast<char>(ch)));
}

void CheckBuffer(const CEditBuffer& buffer, const Model& expected)
{
    Check(buffer.GetText().Str() == expected.text);
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    Check(start == expected.Start() && end == expected.End() && buffer.GetCaret() == expected.caret);
}

void RunBuffer(uint8_t flags, Reader& in)
{
    const bool multiLine = (flags & 2) != 0;
    const bool readOnly = (flags & 4) != 0;
    CEditBuffer buffer;
    Model model;
    bool whole = true;  // every outside text so far was whole characters
    while (in.More()) {
        const std::string before = buffer.GetText().Str();
        const uint8_t op = in.Byte() % 10;
        switch (op) {
        case 0: {  // a typed byte
            const uint8_t ch = in.Byte();
            buffer.Char(ch, multiLine, readOnly);
            ModelChar(model, ch, multiLine, readOnly);
            CheckBuffer(buffer, model);
            break;
        }
        case 1: {  // a two-byte character as one IME character
            const uint8_t lead = in.Byte();
            const uint8_t trail = in.Byte();
            buffer.ImeChar((lead << 8) | trail, readOnly);
            model.pending = -1;
            if (readOnly) {
            } else if (lead == 0) {
                if (trail >= 0x20 && !cp936::IsLeadByte(trail))
                    model.Replace(model.Start(), model.End(), std::string(1, static_cast<char>(trail)));
            } else if (cp936::IsLeadByte(lead) && cp936::IsTrailByte(trail)) {
                model.Replace(model.Start(), model.End(),
                              std::string{static_cast<char>(lead), static_cast<char>(trail)});
            }
            CheckBuffer(buffer, model);
            break;
        }
        case 2:  // Backspace
            buffer.Char(VK_BACK, multiLine, readOnly);
            ModelChar(model, VK_BACK, multiLine, readOnly);
            CheckBuffer(buffer, model);
            break;
        case 3: {  // Delete
            buffer.KeyDown(VK_DELETE, false, false, readOnly);
            if (!readOnly) {
                int to = model.End();
                const int length = static_cast<int>(model.text.size());
                if (model.Start() == model.End() && model.caret < length) {
                    to = cp936::NextChar(model.text.data(), length, model.caret);
                    if (model.text.compare(static_cast<size_t>(model.caret), 2, "\r\n") == 0)
                        to = model.caret + 2;
                }
                model.Replace(model.Start(), to, std::string());
            }
            CheckBuffer(buffer, model);
            break;
        }
        case 4: {  // a caret key
            const uint8_t key = in.Byte();
            buffer.KeyDown(kCaretKeys[key % 6], (key & 8) != 0, (key & 16) != 0, readOnly);
            Check(buffer.GetText().Str() == before);
            break;
        }
        case 5: {  // a selection
            const int start = static_cast<int8_t>(in.Byte());
            const int end = static_cast<int8_t>(in.Byte());
            buffer.SetSel(start, end);
            Check(buffer.GetText().Str() == before);
            break;
        }
        case 6: {  // a paste
            const std::string text = in.Text();
            whole = whole && Whole(text);
            buffer.ReplaceSel(text.c_str());
            break;
        }
        case 7: {  // a new text
            const std::string text = in.Text();
            whole = Whole(text);
            buffer.SetText(text.c_str());
            model.pending = -1;
            break;
        }
        case 8: {  // a line break or a tab
            const uint8_t which = in.Byte();
            const unsigned char ch = which % 3 == 0 ? '\r' : which % 3 == 1 ? '\n' : '\t';
            buffer.Char(ch, multiLine, readOnly);
            ModelChar(model, ch, multiLine, readOnly);
            CheckBuffer(buffer, model);
            break;
        }
        default: {  // a two-byte character typed as two bytes
            const uint8_t lead = in.Byte();
            const uint8_t trail = in.Byte();
            buffer.Char(lead, multiLine, readOnly);
            ModelChar(model, lead, multiLine, readOnly);
            CheckBuffer(buffer, model);
            buffer.Char(trail, multiLine, readOnly);
            ModelChar(model, trail, multiLine, readOnly);
            CheckBuffer(buffer, model);
            break;
        }
        }
        // The model goes on from what the buffer holds (moves, pastes and new
        // texts are judged by the invariants alone).
        const int pending = model.pending;
        model.Take(buffer);
        model.pending = pending;

        const std::string after = buffer.GetText().Str();
        int start = 0, end = 0;
        buffer.GetSel(start, end);
        Check(buffer.GetLength() == static_cast<int>(after.size()));
        CheckSelection(after, start, end);
        Check(buffer.GetCaret() == start || buffer.GetCaret() == end);
        if (readOnly && op != 6 && op != 7)
            Check(after == before);
        if (whole)
            Check(Whole(after));
    }
}

// ----------------------------------------------------------- the editor

// The control window: shows the host every key and character; a rewriting
// host changes some characters.
class HostControl : public CWnd {
public:
    bool rewrite = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if ((message == CInPlaceEdit::kGridKeyPress || message == CInPlaceEdit::kGridOnChar) && wParam != 0) {
            DWORD* word = reinterpret_cast<DWORD*>(wParam);
            if (rewrite && message == CInPlaceEdit::kGridOnChar) {
                if (*word >= 'a' && *word <= 'z')
                    *word -= 'a' - 'A';
                else if (*word == '#')
                    *word = 0xB1ED;
            }
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The grid window: a key passed to it ends the edit (it takes the focus).
class HostGrid : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN) {
            SetFocus();
            return 0;
        }
        if (message == WM_NOTIFY)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct Windows {
    HostControl control;
    HostGrid grid;
    Windows()
    {
        control.CreateEx(0, "KivoFuzzControl", "control", WS_VISIBLE, CRect(0, 0, 500, 400), nullptr, 0);
        grid.CreateEx(0, "KivoFuzzGrid", "grid", WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 310), &control, 81220);
    }
};

std::string EditorText(CInPlaceEdit* edit)
{
    CString text;
    edit->GetWindowText(text);
    return text.Str();
}

void RunEditor(uint8_t flags, uint8_t minByte, uint8_t widthByte, Reader& in)
{
    static Windows* windows = new Windows;
    windows->control.rewrite = (flags & 0x40) != 0;
    const int inputType = ((flags >> 3) & 3) % 3;
    NumericInputRule rule;
    rule.nInputType = inputType;
    rule.bLimit = (flags & 0x20) != 0 ? TRUE : FALSE;
    rule.dMin = static_cast<int8_t>(minByte);
    rule.dMax = rule.dMin + widthByte;

    CInPlaceEdit* edit = nullptr;
    bool whole = true;
    bool pendingLead = false;
    auto open = [&](const std::string& text, UINT firstChar) {
        CInPlaceEdit::Discard(edit);
        edit = new CInPlaceEdit;
        windows->grid.SetFocus();
        if (!edit->Create(&windows->grid, CRect(50, 40, 150, 60), 0, 8, 1, 1, CString(text.c_str()), firstChar,
                          RGB(255, 255, 255), RGB(0, 0, 0))) {
            CInPlaceEdit::Discard(edit);
            edit = nullptr;
            return;
        }
        edit->SetInputType(rule.nInputType);
        edit->SetInputLimit(rule.bLimit, rule.dMin, rule.dMax);
        whole = Whole(text);
        pendingLead = false;
        PlatformPumpMessages();  // the first character
    };
    open(std::string(), CInPlaceEdit::kStartByMouse);
    if (edit == nullptr)
        return;

    while (in.More()) {
        if (edit == nullptr || !IsWindow(edit->GetSafeHwnd()))
            open(in.Text(), in.Byte());
        if (edit == nullptr)
            return;
        const HWND hwnd = edit->GetSafeHwnd();
        const std::string before = EditorText(edit);
        const uint8_t op = in.Byte() % 10;
        bool typed = false;  // a character that the numeric filter judges
        switch (op) {
        case 0: {
            const uint8_t ch = in.Byte();
            typed = !pendingLead && ch != VK_BACK && !cp936::IsLeadByte(ch);
            pendingLead = !pendingLead && cp936::IsLeadByte(ch);
            edit->SendMessage(WM_CHAR, ch, 1);
            break;
        }
        case 1: {
            const uint8_t lead = in.Byte();
            const uint8_t trail = in.Byte();
            edit->SendMessage(WM_IME_CHAR, (lead << 8) | trail, 1);
            typed = ((lead << 8) | trail) != VK_BACK;
            pendingLead = false;
            break;
        }
        case 2:
            edit->SendMessage(WM_CHAR, VK_BACK, 1);
            pendingLead = false;
            break;
        case 3:
            edit->SendMessage(WM_KEYDOWN, VK_DELETE, 1);
            break;
        case 4: {
            const uint8_t key = in.Byte();
            Headless::SetKeyDown(VK_SHIFT, (key & 8) != 0);
            Headless::SetKeyDown(VK_CONTROL, (key & 16) != 0);
            edit->SendMessage(WM_KEYDOWN, kCaretKeys[key % 6], 1);
            Headless::ReleaseAllKeys();
            break;
        }
        case 5: {
            const int start = static_cast<int8_t>(in.Byte());
            const int end = static_cast<int8_t>(in.Byte());
            edit->SetSel(start, end);
            break;
        }
        case 6: {
            const std::string text = in.Text();
            whole = whole && Whole(text);
            edit->ReplaceSel(text.c_str());
            pendingLead = false;
            break;
        }
        case 7: {
            const std::string text = in.Text();
            whole = Whole(text);
            edit->SetWindowText(text.c_str());
            pendingLead = false;
            break;
        }
        case 8: {
            const uint8_t which = in.Byte();
            const UINT keys[] = {VK_RETURN, VK_TAB, VK_ESCAPE, VK_PRIOR};
            if (which & 1)
                edit->SendMessage(WM_CHAR, keys[(which >> 1) % 3], 1);
            else
                edit->SendMessage(WM_KEYDOWN, keys[(which >> 1) % 4], 1);
            break;
        }
        default: {
            const uint8_t lead = in.Byte();
            const uint8_t trail = in.Byte();
            edit->SendMessage(WM_CHAR, lead, 1);
            if (IsWindow(hwnd))
                edit->SendMessage(WM_CHAR, trail, 1);
            typed = !pendingLead && lead != VK_BACK && trail != VK_BACK;
            pendingLead = false;
            break;
        }
        }
        PlatformPumpMessages();
        if (!IsWindow(hwnd))
            continue;  // the edit ended; the next operation opens another

        const std::string after = EditorText(edit);
        int start = 0, end = 0;
        edit->GetSel(start, end);
        CheckSelection(after, start, end);
        if (whole)
            Check(Whole(after));
        if (typed && after != before && (inputType == kInputWholeNumber || inputType == kInputDecimal) && whole)
            Check(NumericTextAcceptable(CString(after.c_str()), rule));
    }
    CInPlaceEdit::Discard(edit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    static const bool ready = [] {
        Headless::Reset();
        Headless::SetRecording(false);
        return true;
    }();
    (void)ready;
    Reader in(data + 3, size - 3);
    if ((data[0] & 1) == 0)
        RunBuffer(data[0], in);
    else
        RunEditor(data[0], data[1], data[2], in);
    PlatformPumpMessages();
    return 0;
}
