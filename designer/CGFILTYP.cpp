#include "designer/CGFILTYP.h"

HRESULT CGCFileTypeAccess::s_lastError = 0;

namespace {

const HRESULT kInvalidArg = static_cast<HRESULT>(0x80070057L);

}  // namespace

void CGCFileTypeAccess::ClearAll()
{
    m_strExtension.Empty();
    m_strOpenCommand.Empty();
    m_strTypeName.Empty();
    m_strTypeDescription.Empty();
    m_strIcon.Empty();
    m_strAppPath.Empty();
    for (CString& s : m_strReserved)
        s.Empty();
}

BOOL CGCFileTypeAccess::WriteRegistryString(IRegistryRoot* root, const char* key, const char* valueName,
                                            const char* value)
{
    if (root == nullptr || key == nullptr || *key == '\0' || valueName == nullptr || value == nullptr) {
        s_lastError = kInvalidArg;
        return FALSE;
    }
    return root->SetString(CString(key), CString(valueName), CString(value)) ? TRUE : FALSE;
}

BOOL CGCFileTypeAccess::RegisterExtensionKey(IRegistryRoot* root)
{
    if (m_strExtension.IsEmpty())
        return TRUE;
    const CString key = CString(".") + m_strExtension;
    BOOL ok = WriteRegistryString(root, key, "", m_strTypeName);
    if (!m_strOpenCommand.IsEmpty())
        ok = WriteRegistryString(root, key + "\\shell\\open\\command", "", m_strOpenCommand) && ok;
    return ok;
}

BOOL CGCFileTypeAccess::RegisterTypeKey(IRegistryRoot* root)
{
    if (m_strTypeName.IsEmpty())
        return TRUE;
    BOOL ok = WriteRegistryString(root, m_strTypeName, "", m_strTypeDescription);
    if (!m_strIcon.IsEmpty())
        ok = WriteRegistryString(root, m_strTypeName + "\\DefaultIcon", "", m_strIcon) && ok;
    if (!m_strOpenCommand.IsEmpty())
        ok = WriteRegistryString(root, m_strTypeName + "\\shell\\open\\command", "", m_strOpenCommand) && ok;
    return ok;
}

BOOL CGCFileTypeAccess::RegisterAll(IRegistryRoot* root)
{
    BOOL ok = RegisterExtensionKey(root);
    ok = RegisterTypeKey(root) && ok;
    ok = RegisterStep3(root) && ok;
    ok = RegisterStep4(root) && ok;
    return ok;
}

CString CGCFileTypeAccess::OpenCommandFor(const CString& programPath)
{
    return CString("\"") + programPath + "\" \"%1\"";
}

BOOL RegisterShellFileTypes(IRegistryRoot* root, const CString& programPath)
{
    const char* type = "KivoSheetDesigner.Document";
    const CString quoted = CString("\"") + programPath + "\"";
    const CString typeKey(type);
    BOOL ok = CGCFileTypeAccess::WriteRegistryString(root, ".kvx", "", type);
    ok = CGCFileTypeAccess::WriteRegistryString(root, typeKey, "", "翠禾文档") && ok;
    ok = CGCFileTypeAccess::WriteRegistryString(root, typeKey + "\\DefaultIcon", "", programPath + ",1") && ok;
    ok = CGCFileTypeAccess::WriteRegistryString(root, typeKey + "\\shell\\open\\command", "",
                                                quoted + " \"%1\"") && ok;
    ok = CGCFileTypeAccess::WriteRegistryString(root, typeKey + "\\shell\\print\\command", "",
                                                quoted + " /p \"%1\"") && ok;
    ok = CGCFileTypeAccess::WriteRegistryString(root, typeKey + "\\shell\\printto\\command", "",
                                                quoted + " /pt \"%1\" \"%2\" \"%3\" \"%4\"") && ok;
    return ok;
}
