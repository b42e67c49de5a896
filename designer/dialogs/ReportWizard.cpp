#include "designer/dialogs/ReportWizard.h"

namespace {
const WizardStep kSteps[5] = {
    {"报表向导--向导说明(第1步/共5步)", false, false, true, true, "下一步(&N)"},
    {"报表向导--创建数据源(第2步/共5步)", true, true, true, true, "下一步(&N)"},
    {"报表向导--创建数据集(第3步/共5步)", true, true, true, true, "下一步(&N)"},
    {"报表向导--创建绑定对象(第4步/共5步)", true, true, true, true, "下一步(&N)"},
    {"报表向导--创建绑定字段(第5步/共5步)", false, true, true, false, "完成"},
};
}  // namespace

const WizardStep& WizardStepAt(int step)
{
    if (step < 0)
        step = 0;
    if (step > 4)
        step = 4;
    return kSteps[step];
}

CString WizardExplanation()
{
    CString s;
    s += "向导说明:\r\n\t本向导用于快速创建报表模块,实现用户自定义报表,而这一切无需用户编写任何代码!";
    s += "\r\n\t向导一共分成5个步骤,请仔细阅读:";
    s += "\r\n\n\t第1步:向导说明及介绍;本向导只是演示程序,只展示了卡沃绑定数据库,实现自定义报表的部分功能,"
         "用户可以通过卡沃的接口实现更加强大,灵活的功能;";
    s += "\r\n\n\t第2步:创建数据源;一张报表模板中可以创建多个数据源对象,即可以同时从不同的数据库中撮数据;\r\n\t"
         "对于一张无任何数据源的卡沃表格,必须创建数据源对象;如果已经有了数据源用户则可以跳过此步;"
         "如果要管理多个数据源对象在菜单[数据库]->[链接]中操作;";
    s += " \r\n\n\t第3步:创建数据集;一个数据源对象可以添加多个数据集对象;用户需要加载报表数据,必须建立数据集,"
         "为绑定对象提供数据基础;如果已经有了数据源用户则可以跳过此步;如果要管理多个数据集对象在菜单[数据库]->[链接]中操作;";
    s += "\r\n\n\t第4步:创建绑定对象;一张报表模板可以创建多个绑定对象;每个绑定对象可以设置一个数据集;"
         "绑定对象可以按表头绑定,表体绑定(自动增行),表尾绑定(依据关联表体绑定对象自动调整行列);"
         "如果要管理多个绑定对象在菜单[数据库]->[绑定对象]中操作;";
    s += "\r\n\n\t第5步:创建绑定字段;可以设置报表中每个字段或列的信息,是对绑定对象的细化;用户也可以选择自动绑定;"
         "如果要管理多个绑定字段在菜单[数据库]->[绑定字段]中操作;";
    return s;
}

void CReportWizardDlg::GoTo(int step)
{
    if (step < 0)
        step = 0;
    if (step > 4)
        step = 4;
    m_step = step;
}

CReportWizardDlg::Outcome CReportWizardDlg::Next(IWizardPages& pages)
{
    switch (m_step) {
    case 0:
        break;
    case 1: {
        CString conn;
        if (!pages.CreateConnection(conn))
            return Stayed;
        pages.SetConnection(conn);
        break;
    }
    case 2: {
        CString conn, dataSet;
        if (!pages.CreateDataSet(conn, dataSet))
            return Stayed;
        pages.LoadBindConnections(conn, dataSet);
        break;
    }
    case 3: {
        CString bind;
        if (!pages.CreateBind(bind))
            return Stayed;
        pages.SetBind(bind);
        break;
    }
    default:
        if (pages.MarkersChecked())
            pages.WriteMarkers();
        return Finished;
    }
    GoTo(m_step + 1);
    return Moved;
}

void CReportWizardDlg::Back() { GoTo(m_step - 1); }

void CReportWizardDlg::Skip() { GoTo(m_step + 1); }
