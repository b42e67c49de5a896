#include "cells/DropDownEditorHooks.h"

namespace {

DropDownEditorHooks g_hooks;

}  // namespace

void SetDropDownEditorHooks(const DropDownEditorHooks& hooks)
{
    g_hooks = hooks;
}

const DropDownEditorHooks& GetDropDownEditorHooks()
{
    return g_hooks;
}
