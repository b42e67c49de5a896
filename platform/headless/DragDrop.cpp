// The host build's drag and drop: registered targets by window, and drags
// played from a script.
#include "platform/DragDrop.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessInternal.h"

#include <map>

namespace {

struct DragState {
    std::map<HWND, CDropTargetHandler*> targets;
    std::vector<Headless::DragStep> script;
    bool scripted = false;
    bool drop = true;
    bool ole = true;
    DragFormats lastFormats;
    DWORD lastEffect = kDropEffectNone;
    int drags = 0;
    bool dragging = false;
};

DragState& D()
{
    static DragState state;
    return state;
}

CDropTargetHandler* HandlerOf(HWND hwnd)
{
    auto found = D().targets.find(hwnd);
    return found != D().targets.end() ? found->second : nullptr;
}

}  // namespace

namespace headless {

void ResetDragDrop()
{
    DragState& d = D();
    d.script.clear();
    d.scripted = false;
    d.drop = true;
    d.ole = true;
    d.lastFormats.clear();
    d.lastEffect = kDropEffectNone;
    d.drags = 0;
}

}  // namespace headless

BOOL PlatformRegisterDropTarget(HWND hWnd, CDropTargetHandler* pHandler)
{
    DragState& d = D();
    if (!d.ole || hWnd == nullptr || pHandler == nullptr || !IsWindow(hWnd) || d.targets.count(hWnd) != 0)
        return FALSE;
    d.targets[hWnd] = pHandler;
    return TRUE;
}

void PlatformRevokeDropTarget(HWND hWnd)
{
    D().targets.erase(hWnd);
}

DWORD PlatformDoDragDrop(const DragFormats& formats, DWORD dwAllowedEffects)
{
    DragState& d = D();
    ++d.drags;
    d.lastFormats = formats;
    d.lastEffect = kDropEffectNone;
    if (!d.ole || d.dragging || !d.scripted)
        return kDropEffectNone;
    // The script is used once; a drag started inside a handler finds none.
    const std::vector<Headless::DragStep> steps = d.script;
    const bool drop = d.drop;
    d.script.clear();
    d.scripted = false;
    d.dragging = true;

    CMemoryDropData data(formats);
    HWND current = nullptr;
    DWORD effect = kDropEffectNone;
    for (const Headless::DragStep& step : steps) {
        // A window destroyed during the drag is no target any more.
        if (current != nullptr && HandlerOf(current) == nullptr)
            current = nullptr;
        CDropTargetHandler* handler = HandlerOf(step.hwnd);
        if (step.hwnd != current) {
            if (CDropTargetHandler* old = HandlerOf(current))
                old->OnDragLeave();
            current = handler != nullptr ? step.hwnd : nullptr;
            effect = handler != nullptr
                         ? handler->OnDragEnter(&data, step.keys, CPoint(step.point.x, step.point.y))
                         : kDropEffectNone;
        } else if (handler != nullptr) {
            effect = handler->OnDragOver(&data, step.keys, CPoint(step.point.x, step.point.y));
        }
        effect &= dwAllowedEffects;
    }
    DWORD result = kDropEffectNone;
    CDropTargetHandler* target = HandlerOf(current);
    if (target != nullptr) {
        if (drop && effect != kDropEffectNone) {
            const POINT at = steps.back().point;
            if (target->OnDrop(&data, effect, CPoint(at.x, at.y)))
                result = effect;
        } else {
            target->OnDragLeave();
        }
    }
    d.dragging = false;
    d.lastEffect = result;
    return result;
}

namespace Headless {

void ScriptDrag(const std::vector<DragStep>& steps, bool drop)
{
    D().script = steps;
    D().scripted = !steps.empty();
    D().drop = drop;
}

DragFormatsRecord LastDragFormats()
{
    return D().lastFormats;
}

DWORD LastDragEffect()
{
    return D().lastEffect;
}

int DragCount()
{
    return D().drags;
}

CDropTargetHandler* DropTargetOf(HWND hwnd)
{
    return HandlerOf(hwnd);
}

size_t DropTargetCount()
{
    return D().targets.size();
}

void SetOleInitialised(bool on)
{
    D().ole = on;
}

}  // namespace Headless
