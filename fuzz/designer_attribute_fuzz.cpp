// The designer's readers of cell attributes: arbitrary attribute values
// (numbers, colours, bit fields, item lists) fed to the reader of every
// control-type and display-format dialog, then the dialog checked and its
// text built. Input: lines "name=value"; a value may hold any byte but a
// newline, and "\n" in it stands for a newline (item lists).
#include "designer/DesignerUi.h"
#include "designer/dialogs/ControlTypeDialogs.h"
#include "designer/dialogs/FormatDialogs.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace {

struct QuietUi : IDesignerUi {
    int MessageBox(const CString&, const CString&, UINT) override { return IDOK; }
    bool CanPaste() override { return false; }
    void SelectFontName(const CString&) override {}
    void SelectFontSize(const CString&) override {}
    void SelectFirstInsertReferences() override {}
    CString AskSavePath(const CString&) override { return CString(); }
};

template <class Dialog>
void Exercise(const AttrGetter& get, QuietUi& ui)
{
    Dialog dlg;
    dlg.Read(get);
    const CString built = dlg.BuildText();
    if (dlg.Accept(ui) && dlg.GetAttributeText() != built)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> values;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        const size_t eq = line.find('=');
        if (eq != std::string::npos) {
            std::string value = line.substr(eq + 1);
            for (size_t at = value.find("\\n"); at != std::string::npos; at = value.find("\\n", at + 1))
                value.replace(at, 2, "\n");
            values[line.substr(0, eq)] = value;
        }
        start = end + 1;
    }
    const AttrGetter get = [&values](const char* name) {
        const auto it = values.find(name);
        return it == values.end() ? CString() : CString(it->second.c_str());
    };

    QuietUi ui;
    Exercise<CUrlControlDlg>(get, ui);
    Exercise<CButtonControlDlg>(get, ui);
    Exercise<CCheckBoxControlDlg>(get, ui);
    Exercise<CComboBoxControlDlg>(get, ui);
    Exercise<CComboCheckControlDlg>(get, ui);
    Exercise<CDateTimeControlDlg>(get, ui);
    Exercise<CImageControlDlg>(get, ui);
    Exercise<CNumericControlDlg>(get, ui);
    Exercise<CNumericFormatDlg>(get, ui);
    Exercise<CCurrencyFormatDlg>(get, ui);
    Exercise<CDateTimeFormatDlg>(get, ui);
    Exercise<CBooleanFormatDlg>(get, ui);
    Exercise<CPercentageFormatDlg>(get, ui);
    Exercise<CScientificFormatDlg>(get, ui);
    for (const char* name : {"urlcolor", "sidecolor", "morethancolor"})
        (void)attr::Colour(get, name);
    return 0;
}
