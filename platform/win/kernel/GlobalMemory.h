// Global memory blocks. A fixed block's handle is its address; a moveable
// block's handle is a value of its own that GlobalLock turns into the
// address and counts locks on. Blocks are 16-byte aligned.
#pragma once

#include "platform/win/kernel/Types.h"

#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// The address of the block (a moveable block's lock count goes up).
LPVOID GlobalLock(HGLOBAL hMem);
// Nonzero while the block stays locked; 0 with NO_ERROR once unlocked, or 0
// with ERROR_NOT_LOCKED for a block that was not locked (fixed blocks never are).
BOOL GlobalUnlock(HGLOBAL hMem);
// Frees the block even when it is locked. NULL on success; the handle back
// with ERROR_INVALID_HANDLE when it names no block.
HGLOBAL GlobalFree(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
// The handle of the block whose address GlobalLock gave (or of a fixed block);
// NULL with ERROR_INVALID_HANDLE for an address that begins no block.
HGLOBAL GlobalHandle(LPCVOID pMem);
