// Rectangle helpers of user32. Every function refuses NULL pointers with FALSE.
#include <windows.h>

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (lprc == NULL) {
        return FALSE;
    }
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL WINAPI CopyRect(LPRECT lprcDst, CONST RECT* lprcSrc) {
    if (lprcDst == NULL || lprcSrc == NULL) {
        return FALSE;
    }
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL WINAPI IsRectEmpty(CONST RECT* lprc) {
    return lprc == NULL || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL WINAPI EqualRect(CONST RECT* lprc1, CONST RECT* lprc2) {
    if (lprc1 == NULL || lprc2 == NULL) {
        return FALSE;
    }
    return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
           lprc1->bottom == lprc2->bottom;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
    if (lprc == NULL) {
        return FALSE;
    }
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy) {
    if (lprc == NULL) {
        return FALSE;
    }
    lprc->left -= dx;
    lprc->right += dx;
    lprc->top -= dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, CONST RECT* lprcSrc1, CONST RECT* lprcSrc2) {
    if (lprcDst == NULL || lprcSrc1 == NULL || lprcSrc2 == NULL) {
        return FALSE;
    }
    const RECT a = *lprcSrc1;  // the destination may alias a source
    const RECT b = *lprcSrc2;
    const RECT overlap{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                       a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (IsRectEmpty(&a) || IsRectEmpty(&b) || IsRectEmpty(&overlap)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = overlap;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT lprcDst, CONST RECT* lprcSrc1, CONST RECT* lprcSrc2) {
    if (lprcDst == NULL || lprcSrc1 == NULL || lprcSrc2 == NULL) {
        return FALSE;
    }
    const RECT a = *lprcSrc1;
    const RECT b = *lprcSrc2;
    // An empty rectangle contributes nothing, wherever it lies.
    if (IsRectEmpty(&a)) {
        if (IsRectEmpty(&b)) {
            SetRectEmpty(lprcDst);
            return FALSE;
        }
        *lprcDst = b;
        return TRUE;
    }
    if (IsRectEmpty(&b)) {
        *lprcDst = a;
        return TRUE;
    }
    *lprcDst = RECT{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                    a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
    return TRUE;
}

BOOL WINAPI PtInRect(CONST RECT* lprc, POINT pt) {
    if (lprc == NULL) {
        return FALSE;
    }
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}
