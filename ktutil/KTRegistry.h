// KTRegistry: values under one registry key, with a stack of current sub-keys.
//
// The registry is the platform's per-user store (platform/core/Registry.h). No key stays open
// between calls: every operation opens and closes its own. Results are the store's classic error
// numbers: 0 success, 87 a null root or a blank name or path, 6 no key set, 5 nothing to go back
// to, others as the store reports them (2 for a missing key or value).
#pragma once

#include "platform/core/Collections.h"
#include "platform/core/Registry.h"

class KTRegistry
{
public:
    KTRegistry() = default;
    explicit KTRegistry(LPCTSTR name) { SetRegistry(name); }
    KTRegistry(HKEY root, LPCTSTR path) { SetRegistry(root, path); }
    virtual ~KTRegistry() = default;

    // The current user's "Software\<name>".
    LONG SetRegistry(LPCTSTR name);
    // Opens the key (creating it when missing) and makes it the home and current key.
    LONG SetRegistry(HKEY root, LPCTSTR path);
    BOOL IsAvailable() const { return m_hRoot != nullptr; }
    // Removes the current key with everything below it and forgets the key.
    LONG DelRegistry();

    LONG CreateSub(LPCTSTR name, BOOL move);
    LONG DeleteSub(LPCTSTR name);
    // The existing sub-key becomes the current key (pushed on the stack).
    LONG MoveToSub(LPCTSTR name);
    LONG MoveToBack();
    LONG MoveToHome();
    CString GetCurrentPath() const { return m_strPath; }

    // Values under current\subKey (a blank sub-key: the current key itself).
    CString ReadString(LPCTSTR subKey, LPCTSTR valueName, LPCTSTR defaultText);
    CString ReadDefault(LPCTSTR subKey);
    DWORD ReadDword(LPCTSTR subKey, LPCTSTR valueName, DWORD defaultValue);
    // Bytes read into the buffer; with a null buffer the size the value needs; 0 on failure.
    DWORD ReadByte(LPCTSTR subKey, LPCTSTR valueName, BYTE* buffer, DWORD size);
    // 1 when stored, else 0. With `create` the key is made when missing.
    int WriteString(LPCTSTR subKey, LPCTSTR valueName, LPCTSTR text, BOOL create);
    int WriteDword(LPCTSTR subKey, LPCTSTR valueName, DWORD value, BOOL create);
    int WriteByte(LPCTSTR subKey, LPCTSTR valueName, const BYTE* data, DWORD size, BOOL create);
    int WriteDefault(LPCTSTR subKey, LPCTSTR text);

    static LONG OpenKey(HKEY root, LPCTSTR path, HKEY* key, BOOL create);
    // With `recursive` the sub-keys go first, depth first; the result is that of removing the
    // key itself (or the first failure to open or count it).
    static LONG DeleteKey(HKEY root, LPCTSTR path, BOOL recursive);

private:
    void Clear();
    CString SubPath(LPCTSTR subKey) const;
    // Opens current\subKey for reading; null when no key is set or it cannot be opened.
    HKEY OpenForRead(LPCTSTR subKey) const;
    int WriteValue(LPCTSTR subKey, LPCTSTR valueName, DWORD type, const BYTE* data, DWORD size, BOOL create);

    HKEY m_hRoot { nullptr };
    CString m_strPath;
    CStringArray m_stack;
};
