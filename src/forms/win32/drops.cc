#include "forms/win32/drops.h"

#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/given_items.h"
#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

// WM_COPYGLOBALDATA, which carries a drop's paths between processes; <windows.h> leaves it out.
constexpr UINT kCopyGlobalData = 0x0049;

}  // namespace

void AcceptDrops(const Form& form, HWND window) {
    if (!IsDropTarget(form)) return;
    DragAcceptFiles(window, TRUE);
    // Tessarn runs elevated, and Windows keeps the messages of a drop from Explorer, which does
    // not, out of an elevated window; these three let it through. (What still cannot work, the
    // README says.)
    for (const UINT message :
         {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
        ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
    }
}

void Dropped(Form& form, HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Utf8(path));
    }
    DragFinish(drop);
    UserDropped(form, paths);
}

}  // namespace forms::win32
