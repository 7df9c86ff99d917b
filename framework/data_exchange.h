#pragma once
// Data exchange between a dialog's controls and its members.
#include "framework/wide_string.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;

    HWND GetControl(int nIDC) const;
};

// A group of radio buttons starting at control nIDC and running to the next control with
// WS_GROUP; only radio buttons count, in window order. Saving gives the checked button's index
// or -1 when none is checked; loading checks the button at that index and clears the others.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// The text of control nIDC.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
