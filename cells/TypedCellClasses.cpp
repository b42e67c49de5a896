#include "cells/TypedCellClasses.h"

#include "cells/GridCellCheckCombo.h"
#include "cells/GridCellCombo.h"
#include "cells/GridCellDateTime.h"
#include "cells/GridCellImage.h"
#include "cells/GridCellNumeric.h"
#include "cells/GridCellRichText.h"
#include "cells/GridURLCell.h"
#include "grid/GridCellButton.h"
#include "grid/GridCellCheck.h"
#include "grid/RuntimeClass.h"

void RegisterTypedCellClasses()
{
    static const CRuntimeClass* const kClasses[] = {
        RUNTIME_CLASS(CGridCellButton),
        RUNTIME_CLASS(CGridCellCheck),
        RUNTIME_CLASS(CGridCellNumeric),
        RUNTIME_CLASS(CGridCellCombo),
        RUNTIME_CLASS(CGridCellCheckCombo),
        RUNTIME_CLASS(CGridCellDateTime),
        RUNTIME_CLASS(CGridURLCell),
        RUNTIME_CLASS(CGridCellImage),
        RUNTIME_CLASS(CGridCellSuperEdit),
    };
    for (const CRuntimeClass* pClass : kClasses)
        CRuntimeClass::Register(pClass);
}
