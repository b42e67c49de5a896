// The drop-down cells' hooks: the combo editor and the date/time editor,
// each asked only while it is alive.
#include "cells/DropDownEditorHooks.h"
#include "cells/InPlaceCombo.h"
#include "cells/InPlaceDateTime.h"

namespace {

CInPlaceCombo* LiveCombo(CWnd* pEditor)
{
    return CInPlaceCombo::IsLive(pEditor) ? static_cast<CInPlaceCombo*>(pEditor) : nullptr;
}

CInPlaceDateTime* LiveDateTime(CWnd* pEditor)
{
    return CInPlaceDateTime::IsLive(pEditor) ? static_cast<CInPlaceDateTime*>(pEditor) : nullptr;
}

CWnd* CreateComboEditor(const DropDownEditorRequest& request)
{
    CInPlaceCombo* editor = new CInPlaceCombo;
    editor->SetAutoDelete(TRUE);
    if (!editor->Create(request)) {
        if (editor->GetSafeHwnd() == nullptr)
            delete editor;
        return nullptr;
    }
    return editor;
}

CWnd* CreateDateTimeEditor(const DateTimeEditorRequest& request)
{
    CInPlaceDateTime* editor = new CInPlaceDateTime;
    if (!editor->Create(request)) {
        if (editor->GetSafeHwnd() == nullptr)
            delete editor;
        return nullptr;
    }
    return editor;
}

BOOL GetEditorState(CWnd* pEditor, DropDownEditorState* pState)
{
    CInPlaceCombo* editor = LiveCombo(pEditor);
    if (editor == nullptr || pState == nullptr)
        return FALSE;
    editor->GetState(pState);
    return TRUE;
}

void EndEditorEdit(CWnd* pEditor)
{
    if (CInPlaceCombo* combo = LiveCombo(pEditor))
        combo->EndEdit();
    else if (CInPlaceDateTime* date = LiveDateTime(pEditor))
        date->EndEdit();
}

void DiscardEditor(CWnd* pEditor)
{
    if (CInPlaceCombo* combo = LiveCombo(pEditor))
        combo->Discard();
    else if (CInPlaceDateTime* date = LiveDateTime(pEditor))
        date->Discard();
}

void ForwardEditorChar(CWnd* pEditor, UINT nChar)
{
    if (CInPlaceCombo* combo = LiveCombo(pEditor))
        combo->ForwardChar(nChar);
    else if (CInPlaceDateTime* date = LiveDateTime(pEditor))
        date->ForwardChar(nChar);
}

void DropEditorDown(CWnd* pEditor)
{
    if (CInPlaceCombo* combo = LiveCombo(pEditor)) {
        combo->GetEdit()->SetFocus();
        combo->ShowList(1);
    } else if (CInPlaceDateTime* date = LiveDateTime(pEditor)) {
        date->DropDown();
    }
}

}  // namespace

void InstallDropDownEditorHooks()
{
    DropDownEditorHooks hooks;
    hooks.pfnCreateCombo = &CreateComboEditor;
    hooks.pfnCreateDateTime = &CreateDateTimeEditor;
    hooks.pfnGetState = &GetEditorState;
    hooks.pfnEndEdit = &EndEditorEdit;
    hooks.pfnDiscard = &DiscardEditor;
    hooks.pfnForwardChar = &ForwardEditorChar;
    hooks.pfnDropDown = &DropEditorDown;
    SetDropDownEditorHooks(hooks);
}
