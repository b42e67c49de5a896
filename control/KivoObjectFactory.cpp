#include "control/KivoObjectFactory.h"

#include "control/KivoObjects.gen.h"
#include "control/KivoTreeObjects.h"
#include "control/KivoValueObjects.h"
#include "control/KivoViewObjects.h"

// The members of a generated base answer their failure values; a class whose
// members are built is created here in place of its base. A column, row or
// range made here holds no grid; a font, border or default-setting object
// starts from its own defaults.
CKivoObjectPtr CreateKivoObjectOfClass(int kivoClass)
{
    switch (kivoClass) {
    case KivoClass_KivoTree:
        return std::make_unique<CKivoTree>();
    case KivoClass_KivoTreeNode:
        return std::make_unique<CKivoTreeNode>();
    case KivoClass_KivoBind:
        return std::make_unique<CKivoBindBase>();
    case KivoClass_KivoBindField:
        return std::make_unique<CKivoBindFieldBase>();
    case KivoClass_KivoBindGroupRowInfo:
        return std::make_unique<CKivoBindGroupRowInfoBase>();
    case KivoClass_KivoCellBorder:
        return std::make_unique<CKivoCellBorder>();
    case KivoClass_KivoGridDefaultSetting:
        return std::make_unique<CKivoGridDefaultSetting>();
    case KivoClass_KivoDatabase:
        return std::make_unique<CKivoDatabaseBase>();
    case KivoClass_KivoDataSet:
        return std::make_unique<CKivoDataSetBase>();
    case KivoClass_KivoCheckBox:
        return std::make_unique<CKivoCheckBoxBase>();
    case KivoClass_KivoComboBox:
        return std::make_unique<CKivoComboBoxBase>();
    case KivoClass_KivoButton:
        return std::make_unique<CKivoButtonBase>();
    case KivoClass_KivoComboCheck:
        return std::make_unique<CKivoComboCheckBase>();
    case KivoClass_KivoDateTime:
        return std::make_unique<CKivoDateTimeBase>();
    case KivoClass_KivoImage:
        return std::make_unique<CKivoImageBase>();
    case KivoClass_KivoNumeric:
        return std::make_unique<CKivoNumericBase>();
    case KivoClass_KivoURL:
        return std::make_unique<CKivoURLBase>();
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
