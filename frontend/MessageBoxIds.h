// Resource ids of the skinned message box.
#pragma once

#define IDD_DLG_MESSAGEBOX 549
#define IDC_MSGBOX_ICON 5223
#define IDC_MSGBOX_CAPTION 5224
#define IDC_MSGBOX_TEXT 5225
