#include "cellcontent/GridDefaultSetting.h"

#include <cstring>

CGridDefaultSetting::CGridDefaultSetting()
{
    std::memset(&m_logFont, 0, sizeof(m_logFont));
}
