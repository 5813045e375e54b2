#pragma once
// A virtual list view in report style with a check box on each row, as the
// Preview shows its renames: its rows are asked for as they show, so that a
// list of 100000 rows fills as fast as one of ten, and a check box the user
// toggles (a click on it, the space bar, or the list's own change of its
// state) is told as what the row is to be.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnel::win {

class CheckList {
 public:
  // What the rows show, and what a toggle tells.
  struct Rows {
    std::function<std::wstring(int row, int column)> text;
    // The row's check box: 0 none, 1 unchecked, 2 checked.
    std::function<UINT(int row)> checkImage;
    // The user toggled row's check box; checked says what it is to be, when known.
    std::function<void(int row, std::optional<bool> checked)> toggled;
  };

  // Creates the list as a child of parent, with a column for each title.
  void create(HWND parent, int id, const std::vector<const wchar_t*>& titles, Rows rows);
  HWND handle() const { return list_; }

  // Shows count rows afresh with none selected; focused, when given, takes
  // the focus without the list scrolling to it; keepTop keeps the first row
  // shown where it was.
  void refill(std::size_t count, std::optional<int> focused, bool keepTop);
  void setColumnWidth(int column, int width);
  // The list's own notifications, from its parent's WM_NOTIFY.
  void onNotify(LPARAM lParam);

 private:
  void showRow(NMLVDISPINFOW& info) const;
  void focusRow(int row, bool scroll);
  void scrollToTop(int top);
  void onClick(const NMITEMACTIVATE& click);
  void onKeyDown(const NMLVKEYDOWN& key);
  void onItemChanged(const NMLISTVIEW& change);

  HWND list_ = nullptr;  // a child of its parent, destroyed with it
  Rows rows_;
  std::size_t count_ = 0;
  bool filling_ = false;  // the list's own notifications while it is filled
};

}  // namespace varnel::win
