#include "document/TemplateFileInfo.h"

#include "base/DateTime.h"

void TemplateFileInfo::InitDefaults()
{
    strCompany = "KivoSheet";
    strProduct = "KivoSheet 报表模板";
    strAuthor = "KivoSheet";
    COleDateTime date;
    date.ParseDateTime("2008-07-20", VAR_DATEVALUEONLY);
    dtDate = date.m_dt;
    strDescription.Empty();
    nInfoValue1 = 0;
    strFlagText.Empty();
    nInfoValue2 = 0;
    strTailText.Empty();
}
