#include "ui/wingui/ComboBox.h"

namespace wingui {

int ComboBox::add(const std::wstring& text, LPARAM data)
{
    auto index = static_cast<int>(SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index >= 0)
        SendMessageW(hwnd(), CB_SETITEMDATA, index, data);
    return index < 0 ? -1 : index;
}

void ComboBox::remove(int index)
{
    SendMessageW(hwnd(), CB_DELETESTRING, index, 0);
}

void ComboBox::clear()
{
    SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
}

int ComboBox::count() const
{
    return static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0));
}

std::wstring ComboBox::itemText(int index) const
{
    auto length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    length = SendMessageW(hwnd(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length == CB_ERR ? 0 : static_cast<size_t>(length));
    return text;
}

LPARAM ComboBox::itemData(int index) const
{
    return SendMessageW(hwnd(), CB_GETITEMDATA, index, 0);
}

int ComboBox::selectedIndex() const
{
    auto index = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void ComboBox::setSelectedIndex(int index)
{
    SendMessageW(hwnd(), CB_SETCURSEL, index, 0);
}

int ComboBox::findExact(const std::wstring& text) const
{
    const int entries = count();
    for (int index = 0; index < entries; ++index) {
        if (itemText(index) == text)
            return index;
    }
    return -1;
}

int ComboBox::findPrefix(const std::wstring& text) const
{
    auto index = SendMessageW(hwnd(), CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

bool ComboBox::onReflectedCommand(int id, int notifyCode)
{
    if (notifyCode != CBN_SELCHANGE || !onSelectionChanged)
        return false;
    onSelectionChanged();
    return true;
}

} // namespace wingui
