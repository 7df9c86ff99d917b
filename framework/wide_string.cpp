#include "framework/wide_string.h"

#include "framework/app.h"

BOOL CString::LoadString(UINT nID)
{
    // With a zero capacity LoadStringW hands out a read-only pointer into the resource itself.
    const wchar_t* resource = nullptr;
    const int length = ::LoadStringW(AfxGetResourceHandle(), nID,
                                     reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr) {
        m_text.clear();
        return FALSE;
    }
    m_text.assign(resource, static_cast<size_t>(length));
    return TRUE;
}
