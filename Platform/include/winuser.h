// user32: resource identifiers and types, rectangle helpers.
#pragma once

#include "windef.h"

// A resource name or type is either a string or a 16-bit id smuggled in the pointer.
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_MANIFEST MAKEINTRESOURCE(24)

// Rectangles exclude their right and bottom edges; one with right <= left or
// bottom <= top is empty.
WINPLATFORMAPI BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
WINPLATFORMAPI BOOL WINAPI SetRectEmpty(LPRECT lprc);
WINPLATFORMAPI BOOL WINAPI CopyRect(LPRECT lprcDst, CONST RECT* lprcSrc);
WINPLATFORMAPI BOOL WINAPI IsRectEmpty(CONST RECT* lprc);
WINPLATFORMAPI BOOL WINAPI EqualRect(CONST RECT* lprc1, CONST RECT* lprc2);
WINPLATFORMAPI BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy);
WINPLATFORMAPI BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy);
WINPLATFORMAPI BOOL WINAPI IntersectRect(LPRECT lprcDst, CONST RECT* lprcSrc1, CONST RECT* lprcSrc2);
WINPLATFORMAPI BOOL WINAPI UnionRect(LPRECT lprcDst, CONST RECT* lprcSrc1, CONST RECT* lprcSrc2);
WINPLATFORMAPI BOOL WINAPI PtInRect(CONST RECT* lprc, POINT pt);
