// The Windows generation the worker adapts to (g_nOsType, WorkerGlobals.h).
#pragma once

// Classifies the running Windows version into g_nOsType: 2 Windows 95, 3
// Windows 98, 4 Windows 98 SE, 5 Me, 6 NT 4, 7 2000, 8 XP, 9 Server 2003, 10
// XP x64 (5.2 workstation), 11 Vista (6.x), 12 a later workstation, 13 a
// later server. A version of no row, or GetVersionEx failing, leaves it alone.
void GetOsType();
