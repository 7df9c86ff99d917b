#pragma once
// CString: the framework's wide text, a thin wrapper over std::wstring.
#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(LPCWSTR text) : m_text(text != nullptr ? text : L"") {}
    CString(std::wstring text) : m_text(std::move(text)) {}

    CString& operator=(LPCWSTR text)
    {
        m_text = text != nullptr ? text : L"";
        return *this;
    }

    bool IsEmpty() const { return m_text.empty(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    LPCWSTR GetString() const { return m_text.c_str(); }
    operator LPCWSTR() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }

    // Loads string resource nID of the program; false (and empty) if it does not exist.
    BOOL LoadString(UINT nID);

private:
    std::wstring m_text;
};
