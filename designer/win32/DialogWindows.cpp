#include "designer/win32/DialogWindows.h"

#include <map>
#include <vector>

namespace {

std::map<UINT, DialogRunner>& Runners()
{
    static auto* runners = new std::map<UINT, DialogRunner>;
    return *runners;
}

void RegisterFamilies()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterFileTableHelpDialogWindows();
    RegisterEditingDialogWindows();
    RegisterCellControlDialogWindows();
    RegisterDatabaseDialogWindows();
}

}  // namespace

void RegisterDialogWindow(UINT dialogId, DialogRunner run)
{
    Runners()[dialogId] = std::move(run);
}

int RunDialogWindow(HWND owner, CDesignerDialog& model)
{
    RegisterFamilies();
    const auto it = Runners().find(model.DialogId());
    if (it == Runners().end() || !it->second)
        return IDCANCEL;
    return it->second(owner, model);
}
