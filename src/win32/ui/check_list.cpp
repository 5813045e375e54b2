#include "win32/ui/check_list.h"

#include <algorithm>

namespace varnel::win {

void CheckList::create(HWND parent, int id, const std::vector<const wchar_t*>& titles, Rows rows) {
  rows_ = std::move(rows);
  count_ = 0;
  list_ = CreateWindowExW(0, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                              WS_TABSTOP | WS_BORDER,
                          0, 0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  // The check boxes' states are the rows', asked for with the texts.
  SendMessageW(list_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  for (std::size_t index = 0; index < titles.size(); ++index) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(titles[index]);
    column.cx = 50;
    SendMessageW(list_, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
  }
}

void CheckList::refill(std::size_t count, std::optional<int> focused, bool keepTop) {
  filling_ = true;
  count_ = count;
  const auto wasTop = static_cast<int>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
  SendMessageW(list_, LVM_SETITEMCOUNT, count, 0);
  // Nothing of the last rows stays selected. Row by row, since a list may
  // tell every row of a change to all of them.
  LVITEMW none{};
  none.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  for (LRESULT row; (row = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                        LVNI_SELECTED | LVNI_FOCUSED)) >= 0;)
    SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&none));
  if (focused) focusRow(*focused, /*scroll=*/false);
  if (keepTop) scrollToTop(wasTop);
  InvalidateRect(list_, nullptr, TRUE);
  filling_ = false;
}

void CheckList::setColumnWidth(int column, int width) {
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, width);
}

void CheckList::focusRow(int row, bool scroll) {
  LVITEMW item{};
  item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  item.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  if (scroll) SendMessageW(list_, LVM_ENSUREVISIBLE, row, FALSE);
}

// The list scrolled so that row top is its first one shown, as far as the
// rows go.
void CheckList::scrollToTop(int top) {
  const auto now = static_cast<int>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
  RECT row{};
  row.left = LVIR_BOUNDS;
  if (now == top || !SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)))
    return;
  SendMessageW(list_, LVM_SCROLL, 0, (top - now) * (row.bottom - row.top));
}

void CheckList::onNotify(LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->hwndFrom != list_) return;
  if (header->code == LVN_GETDISPINFOW) showRow(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
  if (header->code == LVN_ITEMCHANGED) onItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
  if (header->code == NM_CLICK) onClick(*reinterpret_cast<const NMITEMACTIVATE*>(lParam));
  if (header->code == LVN_KEYDOWN) onKeyDown(*reinterpret_cast<const NMLVKEYDOWN*>(lParam));
}

// What a row shows, as the list asks for it.
void CheckList::showRow(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= count_) return;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    const std::wstring text = rows_.text(item.iItem, item.iSubItem);
    const std::size_t length = std::min<std::size_t>(text.size(), item.cchTextMax - 1);
    std::copy_n(text.c_str(), length, item.pszText);
    item.pszText[length] = L'\0';
  }
  if ((item.mask & LVIF_STATE) && item.iSubItem == 0) {
    item.state =
        (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(rows_.checkImage(item.iItem));
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

void CheckList::onClick(const NMITEMACTIVATE& click) {
  LVHITTESTINFO hit{};
  hit.pt = click.ptAction;
  SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem >= 0 && hit.iSubItem == 0 && (hit.flags & LVHT_ONITEMSTATEICON))
    rows_.toggled(hit.iItem, std::nullopt);
}

void CheckList::onKeyDown(const NMLVKEYDOWN& key) {
  if (key.wVKey != VK_SPACE) return;
  rows_.toggled(
      static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)),
      std::nullopt);
}

void CheckList::onItemChanged(const NMLISTVIEW& change) {
  if (filling_ || !(change.uChanged & LVIF_STATE) ||
      !((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) || change.iItem < 0)
    return;
  rows_.toggled(change.iItem, (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2));
}

}  // namespace varnel::win
