// Feeds arbitrary texts to the readers of the row-tree properties dialog (a
// number, a colour as "rgb(r, g, b)" or a decimal value) and to the dialogs'
// integer edit check. Nothing may crash, hang or read past the text; a
// number accepted by the size check lies within its range.
#include "designer/dialogs/SizeDialogs.h"
#include "designer/dialogs/TreeValueReaders.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CString text(reinterpret_cast<const char*>(data), static_cast<int>(size > 4096 ? 4096 : size));
    (void)ReadTreeNumber(text);
    (void)ReadTreeColour(text);
    CRowTreePropertiesDlg dlg;
    CString message;
    if (dlg.AcceptBoxSize(text, message) && (dlg.m_nBoxSize < 10 || dlg.m_nBoxSize > 30))
        std::abort();
    CColumnWidthDlg width;
    if (width.Accept(text, message) && (width.m_nValue < 0 || width.m_nValue > 1024))
        std::abort();
    return 0;
}
