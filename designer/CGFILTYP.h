// CGCFileTypeAccess: writes a file-type association into the registry's
// classes root: the extension key, the document type key with its default
// icon, and the shell's open command. The registry is reached through
// IRegistryRoot, so tests run it against a stand-in.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// A registry root key as the association writes it.
class IRegistryRoot {
public:
    virtual ~IRegistryRoot() = default;
    // Creates or opens key (a path with backslashes) and sets the string
    // value (REG_SZ, with its terminating zero) named valueName ("" is the
    // key's default value); false when either step failed.
    virtual bool SetString(const CString& key, const CString& valueName, const CString& value) = 0;
};

class CGCFileTypeAccess {
public:
    CGCFileTypeAccess() = default;
    virtual ~CGCFileTypeAccess() = default;

    void SetFileExtension(const char* text) { m_strExtension = text; }
    void SetOpenCommand(const char* text) { m_strOpenCommand = text; }
    void SetTypeName(const char* text) { m_strTypeName = text; }
    void SetTypeDescription(const char* text) { m_strTypeDescription = text; }
    void SetIconPath(const char* text) { m_strIcon = text; }
    void SetAppPath(const char* text) { m_strAppPath = text; }
    const CString& GetAppPath() const { return m_strAppPath; }

    virtual void ClearAll();
    // The steps in order; FALSE when a write failed (every step still runs).
    virtual BOOL RegisterAll(IRegistryRoot* root);
    virtual BOOL RegisterExtensionKey(IRegistryRoot* root);
    virtual BOOL RegisterTypeKey(IRegistryRoot* root);
    virtual BOOL RegisterStep3(IRegistryRoot*) { return TRUE; }
    virtual BOOL RegisterStep4(IRegistryRoot*) { return TRUE; }

    // FALSE, with the last error E_INVALIDARG, when the root or key is
    // missing, the key empty, or the value name or value missing.
    static BOOL WriteRegistryString(IRegistryRoot* root, const char* key, const char* valueName, const char* value);
    static HRESULT GetLastError() { return s_lastError; }

    // The command line of the shell's open verb: the program path and the
    // file, each in double quotes, so that paths with blanks stay whole.
    static CString OpenCommandFor(const CString& programPath);

private:
    CString m_strExtension, m_strOpenCommand, m_strTypeName, m_strTypeDescription, m_strIcon, m_strAppPath;
    // The other strings of the record; never set by the designer.
    CString m_strReserved[5];
    static HRESULT s_lastError;
};

// The document type's registration at start-up: the extension, the type key
// with its name and icon, and the open, print and print-to verbs. FALSE when
// a write failed.
BOOL RegisterShellFileTypes(IRegistryRoot* root, const CString& programPath);
