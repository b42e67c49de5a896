#include "platform/MessageBox.h"

#include "platform/System.h"
#include "platform/headless/HeadlessInternal.h"

#include <string>

using headless::S;

int PlatformMessageBox(HWND, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    // Recorded as AfxMessageBox records, with this box's own caption.
    const std::string saved = S().messageBoxCaption;
    S().messageBoxCaption = lpszCaption != nullptr ? lpszCaption : "";
    const int answer = AfxMessageBox(lpszText, nType);
    S().messageBoxCaption = saved;
    return answer;
}
