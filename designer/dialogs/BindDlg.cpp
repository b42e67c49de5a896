#include "designer/dialogs/BindDlg.h"

CDialogCheck CBindFields::Check() const
{
    if (strName.IsEmpty())
        return CDialogCheck::Fail("绑定名称不能为空!", kIdcBindName);
    if (!strConnName.IsEmpty() && strDataSetName.IsEmpty())
        return CDialogCheck::Fail("您已经选择了链接对象, 需要选择对应的记录集.", kIdcBindDataSet);
    return CDialogCheck();
}

LONG EncodeFieldAlign(int horizontal, int vertical)
{
    const LONG h = horizontal >= 0 && horizontal <= 2 ? horizontal : 0;
    const LONG v = vertical == 1 ? 4 : (vertical == 2 ? 8 : 0);
    return h + v;
}

void DecodeFieldAlign(LONG align, int& horizontal, int& vertical)
{
    horizontal = (align & 2) != 0 ? 2 : ((align & 1) != 0 ? 1 : 0);
    vertical = (align & 8) != 0 ? 2 : ((align & 4) != 0 ? 1 : 0);
}

CDialogCheck CFieldFields::Check() const
{
    if (strBindName.IsEmpty())
        return CDialogCheck::Fail("绑定名称不能为空!", kIdcFieldBindName);
    if (strFieldName.IsEmpty() && nBindType == 2)
        return CDialogCheck::Fail("绑定字段为空时 , 绑定类型不能为字段绑定类型!", kIdcFieldBindType);
    if (nBindType < 0)
        return CDialogCheck::Fail("绑定类型不能为空!", kIdcFieldBindType);
    if (nRow < 0)
        return CDialogCheck::Fail("行号不能小于0!", kIdcFieldRow);
    if (nCol < 0)
        return CDialogCheck::Fail("列号不能小于0!", kIdcFieldCol);
    if (!strSourceConn.IsEmpty() && strSourceDataSet.IsEmpty())
        return CDialogCheck::Fail("您选择了数据源后,需要选择数据集!", kIdcFieldSourceDataSet);
    return CDialogCheck();
}
