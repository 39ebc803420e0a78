// The four lists on Win32: a list box and the file list as plain list boxes, the folder list as an
// owner-drawn list box that draws each entry's indent and folder, the drive list as an owner-drawn
// drop-down combo box that draws each drive. The owner-drawn ones keep their entries' texts
// (LBS_HASSTRINGS, CBS_HASSTRINGS), which is what a screen reader reads out. None of them raises
// an event for entries or a selection set by code.
#include <algorithm>
#include <functional>

#include "forms/DirListBox.h"
#include "forms/DriveListBox.h"
#include "forms/FileListBox.h"
#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

// How far a folder is indented for each step below the drive's root, at 96 dpi.
constexpr int kIndentPixels = 12;
// How many drives the open drop-down shows before it scrolls.
constexpr int kDropDownRows = 8;

// The messages of a list box, or of a combo box, which has the same ones under other numbers.
struct ListMessages {
    UINT reset;
    UINT init_storage;
    UINT add;
    UINT insert;
    UINT remove;
    UINT select;
    UINT selected;
    UINT text_length;
    UINT text;
};

constexpr ListMessages kListBox{LB_RESETCONTENT, LB_INITSTORAGE,  LB_ADDSTRING,
                                LB_INSERTSTRING, LB_DELETESTRING, LB_SETCURSEL,
                                LB_GETCURSEL,    LB_GETTEXTLEN,   LB_GETTEXT};
constexpr ListMessages kComboBox{CB_RESETCONTENT, CB_INITSTORAGE,  CB_ADDSTRING,
                                 CB_INSERTSTRING, CB_DELETESTRING, CB_SETCURSEL,
                                 CB_GETCURSEL,    CB_GETLBTEXTLEN, CB_GETLBTEXT};

class ListWindowPeer : public ChildPeer<ListPeer> {
  public:
    ListWindowPeer(const ListControl& list, HWND hwnd, const ListMessages& messages)
        : ChildPeer(list, hwnd), messages_(messages) {
        SetEntries(list.Entries(), list.ListIndex());
    }

    void SetEntries(const std::vector<std::string>& entries, int selected) override {
        // One redraw for the whole list, not one per entry.
        SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
        SendMessageW(hwnd(), messages_.reset, 0, 0);
        std::size_t characters = 0;
        for (const std::string& entry : entries) characters += entry.size() + 1;
        SendMessageW(hwnd(), messages_.init_storage, entries.size(),
                     static_cast<LPARAM>(characters * sizeof(wchar_t)));
        for (const std::string& entry : entries) {
            SendMessageW(hwnd(), messages_.add, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
        }
        SendMessageW(hwnd(), messages_.select, static_cast<WPARAM>(selected), 0);
        SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
    void InsertEntry(int index, const std::string& entry) override {
        SendMessageW(hwnd(), messages_.insert, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(Wide(entry).c_str()));
    }
    void RemoveEntry(int index) override {
        SendMessageW(hwnd(), messages_.remove, static_cast<WPARAM>(index), 0);
    }
    void SetSelected(int index) override {
        SendMessageW(hwnd(), messages_.select, static_cast<WPARAM>(index), 0);
    }

  protected:
    int Selected() const {
        return static_cast<int>(SendMessageW(hwnd(), messages_.selected, 0, 0));
    }
    std::wstring EntryText(int index) const {
        const LRESULT length =
            SendMessageW(hwnd(), messages_.text_length, static_cast<WPARAM>(index), 0);
        if (length < 0) return {};
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = SendMessageW(hwnd(), messages_.text, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        return text;
    }

  private:
    const ListMessages& messages_;
};

// Reports the entry the user chose: a new selection by mouse or keys, and also a click on the
// entry already selected, which a list box reports as a change too.
class ChoosingListPeer : public ListWindowPeer {
  public:
    ChoosingListPeer(const ListControl& list, HWND hwnd, std::function<void(int)> report)
        : ListWindowPeer(list, hwnd, kListBox), report_(std::move(report)) {}

    void Notified(int code) override {
        if (code == LBN_SELCHANGE) report_(Selected());
    }

  private:
    std::function<void(int)> report_;
};

// Opens the entry the user double-clicks or presses Enter on.
class FolderListPeer : public ListWindowPeer {
  public:
    FolderListPeer(DirListBox& folders, HWND hwnd)
        : ListWindowPeer(folders, hwnd, kListBox), folders_(folders) {}

    void Notified(int code) override {
        if (code == LBN_DBLCLK) Enter();
    }
    bool TakesEnter() const override { return true; }
    void Enter() override {
        const int row = Selected();
        if (row >= 0) folders_.UserOpened(row);
    }

    // The folder's indent by its depth below the root, the folder open for the chain down to the
    // folder shown and closed for its sub-folders, then its name; the selection covers the
    // folder and its name, as the indent belongs to no entry.
    bool DrawEntry(const DRAWITEMSTRUCT& item) override {
        const HDC dc = item.hDC;
        const RECT row = item.rcItem;
        FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
        if (item.itemID == static_cast<UINT>(-1)) return true;
        const int index = static_cast<int>(item.itemID);
        const int icon = SmallIconPixels();
        const RECT marked{row.left + Scaled(2) + folders_.DepthOf(index) * Scaled(kIndentPixels),
                          row.top, row.right, row.bottom};
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        if (selected) FillRect(dc, &marked, GetSysColorBrush(COLOR_HIGHLIGHT));
        const RECT picture{marked.left, row.top + (row.bottom - row.top - icon) / 2,
                           marked.left + icon, row.top + (row.bottom - row.top - icon) / 2 + icon};
        DrawFolder(dc, picture, folders_.InChain(index));
        RECT text{picture.right + Scaled(4), row.top, row.right, row.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const HGDIOBJ previous = SelectObject(dc, LayoutFont());
        const std::wstring name = EntryText(index);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, previous);
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &marked);
        return true;
    }

  private:
    DirListBox& folders_;
};

class DriveListPeer : public ListWindowPeer {
  public:
    DriveListPeer(DriveListBox& drives, HWND hwnd)
        : ListWindowPeer(drives, hwnd, kComboBox), drives_(drives) {}

    void Notified(int code) override {
        switch (code) {
            // Read anew each time the list drops down, so that a drive added meanwhile shows up.
            case CBN_DROPDOWN:
                drives_.Refresh();
                break;
            // Arrow keys on the closed list choose at once; in the open list only the entry
            // taken when it closes counts.
            case CBN_SELCHANGE:
                if (SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0) == 0)
                    drives_.UserChose(Selected());
                break;
            case CBN_CLOSEUP:
                drives_.UserChose(Selected());
                break;
        }
    }

    // The drive's picture, ready or without its medium, and its text.
    bool DrawEntry(const DRAWITEMSTRUCT& item) override {
        const HDC dc = item.hDC;
        const RECT row = item.rcItem;
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (item.itemID == static_cast<UINT>(-1)) return true;
        const int index = static_cast<int>(item.itemID);
        const int icon = SmallIconPixels();
        const int top = row.top + (row.bottom - row.top - icon) / 2;
        const RECT picture{row.left + Scaled(2), top, row.left + Scaled(2) + icon, top + icon};
        DrawDrive(dc, picture, drives_.IsReady(index));
        RECT text{picture.right + Scaled(4), row.top, row.right, row.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const HGDIOBJ previous = SelectObject(dc, LayoutFont());
        const std::wstring drive = EntryText(index);
        DrawTextW(dc, drive.c_str(), static_cast<int>(drive.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, previous);
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
        return true;
    }

  private:
    DriveListBox& drives_;
};

constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

}  // namespace

std::unique_ptr<ListPeer> MakeListBoxPeer(ListBox& list, HWND window) {
    const HWND hwnd =
        MakeChild(window, L"LISTBOX", L"", kListStyle, WS_EX_CLIENTEDGE, list.Place());
    return std::make_unique<ChoosingListPeer>(list, hwnd,
                                              [&list](int row) { list.UserSelected(row); });
}

std::unique_ptr<ListPeer> MakeFileListPeer(FileListBox& list, HWND window) {
    const HWND hwnd =
        MakeChild(window, L"LISTBOX", L"", kListStyle, WS_EX_CLIENTEDGE, list.Place());
    return std::make_unique<ChoosingListPeer>(list, hwnd,
                                              [&list](int row) { list.UserSelected(row); });
}

std::unique_ptr<ListPeer> MakeFolderListPeer(DirListBox& list, HWND window) {
    const HWND hwnd =
        MakeChild(window, L"LISTBOX", L"", kListStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                  WS_EX_CLIENTEDGE, list.Place());
    SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, ListRowHeight());
    return std::make_unique<FolderListPeer>(list, hwnd);
}

std::unique_ptr<ListPeer> MakeDriveListPeer(DriveListBox& list, HWND window) {
    const HWND hwnd =
        MakeChild(window, L"COMBOBOX", L"",
                  WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                  0, list.Place());
    // A combo box is as high as its selection field; the height it is made with is that of the
    // open drop-down. The field is sized so that the closed box has the height of its twips.
    const RECT place = PixelsOf(list.Place());
    const int wanted = place.bottom - place.top;
    const int row = ListRowHeight();
    SendMessageW(hwnd, CB_SETITEMHEIGHT, 0, row);
    for (int attempt = 0; attempt < 2; ++attempt) {
        RECT closed{};
        GetWindowRect(hwnd, &closed);
        const auto field =
            static_cast<int>(SendMessageW(hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        const int difference = wanted - (closed.bottom - closed.top);
        if (difference == 0) break;
        SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + difference);
    }
    SetWindowPos(hwnd, nullptr, 0, 0, place.right - place.left, wanted + kDropDownRows * row + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return std::make_unique<DriveListPeer>(list, hwnd);
}

}  // namespace forms::win32
