#include "ui/UI_ComboDest.h"

#include "CString.h"
#include "resource.h"

void UI_ComboDest::Fill()
{
    for (UINT id : {IDS_DEST_DESIGNED, IDS_DEST_TEMPORARY, IDS_DEST_EXISTING, IDS_DEST_REMOVED}) {
        CString text;
        text.LoadString(id);
        AddString(text);
    }
    SetCurSel(0);
}
