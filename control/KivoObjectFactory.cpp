#include "control/KivoObjectFactory.h"

#include "control/KivoBindObjects.h"
#include "control/KivoControlObjects.h"
#include "control/KivoDatabaseObjects.h"
#include "control/KivoObjects.gen.h"
#include "control/KivoTreeObjects.h"
#include "control/KivoValueObjects.h"
#include "control/KivoViewObjects.h"

// The members of a generated base answer their failure values; a class whose
// members are built is created here in place of its base. A column, row or
// range made here holds no grid; a cell-control object holds its type's
// default text; a font, border or default-setting object
// starts from its own defaults.
CKivoObjectPtr CreateKivoObjectOfClass(int kivoClass)
{
    switch (kivoClass) {
    case KivoClass_KivoTree:
        return std::make_unique<CKivoTree>();
    case KivoClass_KivoTreeNode:
        return std::make_unique<CKivoTreeNode>();
    case KivoClass_KivoBind:
        return std::make_unique<CKivoBind>();
    case KivoClass_KivoBindField:
        return std::make_unique<CKivoBindField>();
    case KivoClass_KivoBindGroupRowInfo:
        return std::make_unique<CKivoBindGroupRowInfo>();
    case KivoClass_KivoCellBorder:
        return std::make_unique<CKivoCellBorder>();
    case KivoClass_KivoGridDefaultSetting:
        return std::make_unique<CKivoGridDefaultSetting>();
    case KivoClass_KivoDatabase:
        return std::make_unique<CKivoDatabase>();
    case KivoClass_KivoDataSet:
        return std::make_unique<CKivoDataSet>();
    case KivoClass_KivoCheckBox:
    case KivoClass_KivoComboBox:
    case KivoClass_KivoButton:
    case KivoClass_KivoComboCheck:
    case KivoClass_KivoDateTime:
    case KivoClass_KivoImage:
    case KivoClass_KivoNumeric:
    case KivoClass_KivoURL:
        return CreateKivoControlObjectOfClass(kivoClass);
    case KivoClass_KivoColumn:
        return std::make_unique<CKivoColumn>();
    case KivoClass_KivoRange:
        return std::make_unique<CKivoRange>();
    case KivoClass_KivoRow:
        return std::make_unique<CKivoRow>();
    case KivoClass_KivoFont:
        return std::make_unique<CKivoFont>();
    default:
        return nullptr;
    }
}
