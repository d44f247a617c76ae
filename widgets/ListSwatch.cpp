// Swatch columns of report lists: the colour of a row painted over its cell.
#include "ListSwatch.h"

#include "WinHandles.h"

#include <commctrl.h>

#include <algorithm>

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

void DrawSwatchAndTextColumn(TFormEvent& event, int swatchColumn, int insetX, int insetY,
                             const TRowSwatch& swatchOf) {
    NMLVCUSTOMDRAW* draw = event.draw;
    if (draw->nmcd.dwDrawStage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM) ||
        draw->iSubItem != swatchColumn)
        return DrawSwatchColumn(event, -1, insetX, insetY, swatchOf);
    HWND list = draw->nmcd.hdr.hwndFrom;
    HDC dc = draw->nmcd.hdc;
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    RECT cell = {};
    cell.top = swatchColumn;
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
    // The list's own cells show a selected row in these colours, whether focused or not.
    const bool selected = (ListView_GetItemState(list, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const bool focused = GetFocus() == list;
    const int back = !selected ? COLOR_WINDOW : focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
    const int fore = !selected ? COLOR_WINDOWTEXT : focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
    FillRect(dc, &cell, GetSysColorBrush(back));
    // Every row's text starts at the same place; a row without a colour shows an empty frame.
    RECT swatch = cell;
    InflateRect(&swatch, 0, -insetY);
    swatch.left = cell.left + insetX;
    swatch.right = swatch.left + (swatch.bottom - swatch.top);
    COLORREF colour = 0;
    if (swatchOf(static_cast<size_t>(row), &colour)) {
        BrushHandle brush(CreateSolidBrush(colour));
        FillRect(dc, &swatch, brush.Get());
    }
    // A light colour on a light row still shows where its swatch ends.
    FrameRect(dc, &swatch, GetSysColorBrush(COLOR_GRAYTEXT));
    RECT textArea = cell;
    textArea.left = swatch.right + insetX;
    char text[512] = "";
    ListView_GetItemText(list, row, swatchColumn, text, sizeof text);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(fore));
    textArea.right -= insetX;
    DrawTextA(dc, text, -1, &textArea,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    event.result = CDRF_SKIPDEFAULT;
}

void FitLastColumn(HWND list) {
    HWND header = ListView_GetHeader(list);
    const int count = header ? Header_GetItemCount(header) : 0;
    if (count < 1)
        return;
    RECT client = {};
    GetClientRect(list, &client);
    int others = 0;
    for (int column = 0; column + 1 < count; ++column)
        others += ListView_GetColumnWidth(list, column);
    const int width = std::max(static_cast<int>(client.right) - others, 20);
    if (ListView_GetColumnWidth(list, count - 1) != width)
        ListView_SetColumnWidth(list, count - 1, width);
}
