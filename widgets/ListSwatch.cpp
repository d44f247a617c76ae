// Swatch columns of report lists: the colour of a row painted over its cell.
#include "ListSwatch.h"

#include "WinHandles.h"

#include <commctrl.h>

COLORREF ScreenColour(int32_t colour) {
    return colour < 0 ? GetSysColor(colour & 0xFF) : static_cast<COLORREF>(colour);
}

void DrawSwatchColumn(TFormEvent& event, int swatchColumn, int insetX, int insetY,
                      const TRowSwatch& swatchOf) {
    NMLVCUSTOMDRAW* draw = event.draw;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        event.result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        event.result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const size_t row = static_cast<size_t>(draw->nmcd.dwItemSpec);
        COLORREF colour = 0;
        if (draw->iSubItem != swatchColumn || !swatchOf(row, &colour))
            break;
        HWND list = draw->nmcd.hdr.hwndFrom;
        RECT cell = {};
        ListView_GetItemRect(list, static_cast<int>(row), &cell, LVIR_BOUNDS);
        for (int column = 0; column < swatchColumn; ++column)
            cell.left += ListView_GetColumnWidth(list, column);
        cell.right = cell.left + ListView_GetColumnWidth(list, swatchColumn);
        InflateRect(&cell, -insetX, -insetY);
        BrushHandle brush(CreateSolidBrush(colour));
        FillRect(draw->nmcd.hdc, &cell, brush.Get());
        event.result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        break;
    }
    event.result = CDRF_DODEFAULT;
}
