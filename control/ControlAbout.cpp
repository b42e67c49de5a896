#include "control/ControlAbout.h"

namespace controlabout {

CString VersionLine(const CString& strVersion)
{
    CString line("KivoSheet, Version ");
    line += strVersion;
    return line;
}

}  // namespace controlabout
