// The umbrella header of the platform stand-in: the Win32 subset, the MFC
// subset and the language library, as the system's sources use them.
#pragma once

#include "platform/win/Types.h"
#include "platform/win/Errors.h"
// C run-time, time and code pages
#include "platform/win/Crt.h"
#include "platform/win/CrtTime.h"
#include "platform/win/Time.h"
#include "platform/win/CodePage.h"
// Files and paths
#include "platform/win/Paths.h"
#include "platform/win/Devices.h"
#include "platform/win/CloseHandle.h"
#include "platform/win/Files.h"
#include "platform/win/FileSystem.h"
#include "platform/win/FindFile.h"
#include "platform/win/Folders.h"
#include "platform/win/CrtFiles.h"
// INI files
#include "platform/win/PrivateProfile.h"
// Registry
#include "platform/win/Registry.h"
// Kernel: sync, threads, processes, modules, system
#include "platform/win/Sync.h"
#include "platform/win/Thread.h"
#include "platform/win/Process.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/Module.h"
#include "platform/win/System.h"
#include "platform/win/Security.h"
#include "platform/win/VersionInfo.h"
// Resources
#include "platform/win/Resources.h"
#include "platform/win/DialogTemplate.h"
// Window system
#include "platform/win/WindowConstants.h"
#include "platform/win/User.h"
#include "platform/win/Region.h"
#include "platform/win/MessageLoop.h"
#include "platform/win/ModalLoop.h"
// Drawing
#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Images.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/mfc/GdiObject.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Brush.h"
#include "platform/mfc/Pen.h"
#include "platform/mfc/Rgn.h"
#include "platform/mfc/Palette.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/DC.h"
// Drawing: text and shapes
#include "platform/win/Fonts.h"
#include "platform/win/Text.h"
#include "platform/win/Shapes.h"
#include "platform/win/ControlDrawing.h"
// Menus and tray
#include "platform/win/OwnerDraw.h"
#include "platform/win/Menu.h"
#include "platform/win/Tray.h"
// Standard controls
#include "platform/win/controls/ControlConstants.h"
// Dialogs
#include "platform/win/Dialog.h"
// Common controls
#include "platform/win/commctrl/CommonControls.h"
#include "platform/win/commctrl/Header.h"
#include "platform/win/commctrl/ListView.h"
#include "platform/win/commctrl/Tab.h"
#include "platform/win/commctrl/Progress.h"
#include "platform/win/commctrl/Trackbar.h"
#include "platform/win/commctrl/ToolTip.h"
#include "platform/win/commctrl/IpAddress.h"
#include "platform/win/commctrl/RichEdit.h"
// MFC value classes
#include "platform/mfc/Object.h"
#include "platform/mfc/Exception.h"
#include "platform/mfc/String.h"
#include "platform/mfc/Array.h"
#include "platform/mfc/Map.h"
#include "platform/mfc/Time.h"
#include "platform/mfc/FileException.h"
#include "platform/mfc/File.h"
// MFC windows and applications
#include "platform/win/NotifyHeader.h"
#include "platform/mfc/Point.h"
#include "platform/mfc/Size.h"
#include "platform/mfc/Rect.h"
#include "platform/mfc/CmdTarget.h"
#include "platform/mfc/Wnd.h"
#include "platform/mfc/WinThread.h"
#include "platform/mfc/WinApp.h"
// MFC dialogs and dialog data exchange
#include "platform/mfc/UserException.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Menu.h"
// MFC standard controls
#include "platform/mfc/PropertyPage.h"
#include "platform/mfc/PropertySheet.h"
#include "platform/mfc/Button.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/Static.h"
#include "platform/mfc/ListBox.h"
#include "platform/mfc/ComboBox.h"
// MFC common controls
#include "platform/mfc/HeaderCtrl.h"
#include "platform/mfc/ListCtrl.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/ProgressCtrl.h"
#include "platform/mfc/SliderCtrl.h"
#include "platform/mfc/RichEditCtrl.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "platform/mfc/IPAddressCtrl.h"
// Language library
#include "platform/lingwell/Lingwell.h"
// Simulated machine interfaces
#include "platform/win/DeviceIo.h"
#include "platform/sim/SetupApi.h"
