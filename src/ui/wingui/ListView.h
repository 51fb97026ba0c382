#pragma once

#include "ui/wingui/Wnd.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace wingui {

// A list view in report view (its template gives LVS_REPORT): rows of text
// cells, each row with a value of the caller's (its item data) and an
// optional image of the small-image list.
//
// The list never owns its images: whoever hands them in (a wingui::ImageList
// as a rule) owns and destroys them, after the list.
class ListView : public Wnd {
public:
    struct Column {
        std::wstring title;
        int width; // pixels at 96 DPI; scaled to the window's DPI
    };

    // Applied when the control is bound.
    std::vector<Column> columns;
    bool fullRowSelect = true;

    // A row's state changed (LVN_ITEMCHANGED): selected, unselected, focused.
    std::function<void()> onItemChanged;
    // A double click on the list (NM_DBLCLK).
    std::function<void()> onDoubleClick;

    // Appends a row (a sorted list places it by its first cell) and returns
    // its index, or -1. image -1 means none.
    int addRow(const std::vector<std::wstring>& cells, LPARAM data, int image = -1);
    void setCell(int row, int column, const std::wstring& text);
    std::wstring cell(int row, int column) const;
    void removeRow(int row);
    void clear();
    int rowCount() const;
    LPARAM rowData(int row) const;
    // The first row whose data is data, or -1.
    int findRow(LPARAM data) const;

    // The first selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);

    // Shows images, which must outlive the list. The list is made to share
    // them (LVS_SHAREIMAGELISTS) whatever its template says: without that
    // style the control destroys its image lists when it goes, and their
    // owner would destroy them a second time.
    void setSmallImages(HIMAGELIST images);

protected:
    void applySettings() override;
    bool onReflectedNotify(NMHDR& header, LRESULT& result) override;
};

} // namespace wingui
