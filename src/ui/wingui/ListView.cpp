#include "ui/wingui/ListView.h"

#include "ui/wingui/Dpi.h"

namespace wingui {

void ListView::applySettings()
{
    if (fullRowSelect)
        ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_FULLROWSELECT);
    const UINT dpi = dpiForWindow(hwnd());
    for (size_t index = 0; index < columns.size(); ++index) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = columns[index].title.data();
        column.cx = scaleForDpi(columns[index].width, dpi);
        column.iSubItem = static_cast<int>(index);
        ListView_InsertColumn(hwnd(), static_cast<int>(index), &column);
    }
}

int ListView::addRow(const std::vector<std::wstring>& cells, LPARAM data, int image)
{
    std::wstring first = cells.empty() ? std::wstring() : cells.front();
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = rowCount();
    item.pszText = first.data();
    item.lParam = data;
    item.iImage = image;
    const int row = ListView_InsertItem(hwnd(), &item);
    if (row < 0)
        return -1;
    for (size_t column = 1; column < cells.size(); ++column)
        setCell(row, static_cast<int>(column), cells[column]);
    return row;
}

void ListView::setCell(int row, int column, const std::wstring& text)
{
    std::wstring copy = text;
    ListView_SetItemText(hwnd(), row, column, copy.data());
}

std::wstring ListView::cell(int row, int column) const
{
    // LVM_GETITEMTEXT says how much it copied, not how long the text is.
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        auto copied = static_cast<size_t>(
            SendMessageW(hwnd(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

void ListView::removeRow(int row)
{
    ListView_DeleteItem(hwnd(), row);
}

void ListView::clear()
{
    ListView_DeleteAllItems(hwnd());
}

int ListView::rowCount() const
{
    return ListView_GetItemCount(hwnd());
}

LPARAM ListView::rowData(int row) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return ListView_GetItem(hwnd(), &item) ? item.lParam : 0;
}

int ListView::findRow(LPARAM data) const
{
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return ListView_FindItem(hwnd(), -1, &find);
}

int ListView::selectedRow() const
{
    return ListView_GetNextItem(hwnd(), -1, LVNI_SELECTED);
}

void ListView::selectRow(int row)
{
    ListView_SetItemState(hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ListView::setSmallImages(HIMAGELIST images)
{
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    if (!(style & LVS_SHAREIMAGELISTS))
        SetWindowLongPtrW(hwnd(), GWL_STYLE, style | LVS_SHAREIMAGELISTS);
    ListView_SetImageList(hwnd(), images, LVSIL_SMALL);
}

bool ListView::onReflectedNotify(NMHDR& header, LRESULT& result)
{
    const std::function<void()>* handler = nullptr;
    if (header.code == LVN_ITEMCHANGED)
        handler = &onItemChanged;
    else if (header.code == NM_DBLCLK)
        handler = &onDoubleClick;
    if (!handler || !*handler)
        return false;
    (*handler)();
    result = 0;
    return true;
}

} // namespace wingui
