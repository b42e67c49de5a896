#include "cells/TypedCellClasses.h"

#include "grid/GridCellButton.h"
#include "grid/GridCellCheck.h"
#include "grid/RuntimeClass.h"

void RegisterTypedCellClasses()
{
    static const CRuntimeClass* const kClasses[] = {
        RUNTIME_CLASS(CGridCellButton),
        RUNTIME_CLASS(CGridCellCheck),
    };
    for (const CRuntimeClass* pClass : kClasses)
        CRuntimeClass::Register(pClass);
}
