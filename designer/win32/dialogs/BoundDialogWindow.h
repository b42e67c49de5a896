// A dialog window whose controls are bound to the fields of its model: on
// opening every field fills its control, on OK every control is read back,
// the model checks its fields (a refusal keeps the dialog open with the focus
// on the field it names) and builds its result. Colour fields are colour
// buttons (CXColourPicker): they show their colour and drop the palette.
#pragma once

#include "base/CString.h"
#include "designer/DesignerUi.h"
#include "designer/win32/ColourPicker.h"
#include "designer/win32/DialogWindows.h"

#include <functional>
#include <memory>
#include <vector>

class CAttributeDialog;

// The user interface of a dialog window: message boxes and nested dialogs
// owned by it.
class CDialogUi : public IDesignerUi {
public:
    explicit CDialogUi(HWND* owner) : m_owner(owner) {}
    int MessageBox(const CString& text, const CString& caption, UINT type) override;
    bool CanPaste() override { return false; }
    void SelectFontName(const CString&) override {}
    void SelectFontSize(const CString&) override {}
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }
    int DoModal(CDesignerDialog& dialog) override;
    BOOL PickColor(COLORREF& color) override;

private:
    HWND* m_owner;
};

class CBoundDialogWindow : public CDialogWindow {
public:
    // A model that builds an attribute text is asked to check and build it
    // on OK; any other model only gets its fields.
    CBoundDialogWindow(UINT resourceId, CDesignerDialog* model);

    void BindText(int id, CString* field);
    void BindInt(int id, int* field);
    void BindLong(int id, LONG* field);
    void BindDouble(int id, double* field);
    void BindCheck(int id, int* field);
    void BindBool(int id, BOOL* field);
    // A drop list with its entries; the field is the selected index (-1 none).
    void BindList(int id, int* field, const std::vector<CString>& entries);
    void BindColour(int id, COLORREF* field);
    // A spin button (up-down control spinId) stepping the number field
    // buddyId; it is enabled and disabled with its field.
    void BindSpin(int spinId, int buddyId, double min, double max, double step, int decimals = -1);
    // The colour button of a colour field; null for any other id.
    CXColourPicker* ColourButton(int id);
    // Called after the controls were filled and after every command, to
    // enable the controls that depend on others.
    std::function<void(CBoundDialogWindow&)> onUpdate;
    // Called when a command of the dialog is not a bound control's.
    std::function<BOOL(CBoundDialogWindow&, UINT id, UINT code)> onCommand;
    std::function<void(CBoundDialogWindow&)> onInit;
    // Called on OK after the bound controls were read, before the model
    // checks its fields: controls that are not simple bindings go here.
    std::function<void(CBoundDialogWindow&)> onRead;

    // Enables a control, and the spin button of a number field with it.
    void Enable(int id, bool on);
    // Reads every control into its field; FALSE (after a message) when a
    // number field holds no number.
    BOOL ReadFields();
    void WriteFields();
    // Fills a list control with entries.
    void FillList(int id, const std::vector<CString>& entries, int selected);

    CDialogUi& Ui() { return m_ui; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(UINT id, UINT code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    enum class Kind { Text, Int, Long, Double, Check, Bool, List, Colour };
    struct Binding {
        int id;
        Kind kind;
        void* field;
        std::vector<CString> entries;
        COLORREF colour = 0;
        std::unique_ptr<CXColourPicker> picker;   // a colour field's button
    };
    std::vector<Binding> m_bindings;
    struct SpinBinding {
        int spinId, buddyId;
        double min, max, step;
        int decimals;
    };
    std::vector<SpinBinding> m_spinBindings;
    CAttributeDialog* m_model;
    HWND m_self = nullptr;
    CDialogUi m_ui{&m_self};
};

// Shows a window over a model of type M: build(window, model) binds the
// fields and hooks; answers IDOK or IDCANCEL.
template <class M>
DialogRunner BoundRunner(UINT resourceId, std::function<void(CBoundDialogWindow&, M&)> build)
{
    return [resourceId, build](HWND owner, CDesignerDialog& base) {
        M* model = dynamic_cast<M*>(&base);
        if (model == nullptr)
            return IDCANCEL;
        CBoundDialogWindow window(resourceId, model);
        build(window, *model);
        return window.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    };
}
