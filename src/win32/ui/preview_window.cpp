#include "win32/ui/preview_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/map_image.h"
#include "win32/base/clipboard.h"
#include "win32/base/text.h"
#include "win32/base/window_dc.h"
#include "win32/ui/work_areas.h"

namespace varnel::win {

namespace {

constexpr wchar_t kClassName[] = L"VarnelPreview";
constexpr wchar_t kMapClassName[] = L"VarnelPreviewMap";
enum : int { kList = 10, kSummary, kMap, kNote, kRename = IDOK, kCopy = 20, kClose = IDCANCEL };
// A row's check box toggled, posted so that the list is refilled only once
// its own notification has returned.
constexpr UINT kRowToggledMessage = WM_APP + 1;

HWND child(HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, int id) {
  return CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

const wchar_t* const kColumnTitles[] = {L"Step", L"Old", L"New", L"Why"};

void addColumn(HWND list, int index, const wchar_t* title) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(title);
  column.cx = 50;
  SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

// The state image of a row: none, unchecked (1) or checked (2).
void setCheck(HWND list, int row, app::PreviewRow::Check check) {
  const UINT image = check == app::PreviewRow::Check::none        ? 0
                     : check == app::PreviewRow::Check::unchecked ? 1
                                                                  : 2;
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(image);
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void setCell(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = widen(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0,
               reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void PreviewWindow::create() {
  // At the main window's DPI, below it, wholly inside the work area of its monitor.
  const UINT dpi = dpiOf(owner_);
  app::ScreenRect at{0, 0, twipsAt(10500, dpi), twipsAt(6000, dpi)};
  RECT owner;
  if (owner_ && GetWindowRect(owner_, &owner))
    at = {owner.left, owner.bottom + 8, owner.left + at.width(), owner.bottom + 8 + at.height()};
  at = app::movedInside(at, workAreaOf(owner_));
  list_ = nullptr;  // the last window's controls went with it
  Window::create({kClassName, L"Preview", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                  RECT{at.left, at.top, at.right, at.bottom}, owner_});
  HWND w = handle();
  list_ =
      child(w, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, kList);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  for (int column = 0; column < 4; ++column) addColumn(list_, column, kColumnTitles[column]);
  summary_ = child(w, L"STATIC", L"", SS_LEFTNOWORDWRAP, kSummary);
  // The note wraps: PowerPCB's own words may be long.
  note_ = child(w, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kNote);
  map_.emplace(CreateArgs{kMapClassName, L"", WS_CHILD, WS_EX_CLIENTEDGE, {0, 0, 10, 10}, w, kMap},
               [this](HDC dc, const RECT& area) { paintMap(dc, area); });
  renameButton_ = child(w, L"BUTTON", L"&Rename", BS_PUSHBUTTON | WS_TABSTOP, kRename);
  copyButton_ = child(w, L"BUTTON", L"&Copy", BS_PUSHBUTTON | WS_TABSTOP, kCopy);
  closeButton_ = child(w, L"BUTTON", L"Close", BS_PUSHBUTTON | WS_TABSTOP, kClose);
  applyDpi(dpi);
}

// The font and the column widths at dpi; the layout follows with the size.
void PreviewWindow::applyDpi(UINT dpi) {
  dpi_ = dpi;
  GdiObject font = messageFontAt(dpi);
  for (HWND control : {list_, summary_, note_, renameButton_, copyButton_, closeButton_})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontOrDefault(font)), TRUE);
  font_ = std::move(font);  // the old font only now, when nothing uses it
  sizeColumns();
  InvalidateRect(map_->handle(), nullptr, TRUE);
}

// Each column as wide as its longest text or its title; the last one takes
// the rest of the list's width besides.
void PreviewWindow::sizeColumns() {
  auto fitted = [&](int column) {
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
    const int content = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, column, 0));
    // Not every list takes the title into account: its own width, as the header pads it.
    const int title = static_cast<int>(SendMessageW(
        list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(kColumnTitles[column])));
    return std::max(content, title + scaled(16));
  };
  int used = 0;
  for (int column = 0; column < 3; ++column) {
    const int width = fitted(column);
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, width);
    used += width;
  }
  RECT client;
  GetClientRect(list_, &client);
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 3, std::max<LONG>(fitted(3), client.right - used));
}

void PreviewWindow::showPreview(const app::Preview& preview) {
  preview_ = preview;
  if (!handle()) create();
  SetWindowTextW(handle(), widen(preview_.title).c_str());
  fill();
  ShowWindow(map_->handle(), preview_.map.empty() ? SW_HIDE : SW_SHOW);
  layout();
  ShowWindow(handle(), SW_SHOW);
  SetForegroundWindow(handle());
}

void PreviewWindow::fill() {
  filling_ = true;
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  int row = 0, focus = -1;
  for (const app::PreviewRow& r : preview_.rows) {
    setCell(list_, row, 0, r.step ? std::to_string(r.step) : "");
    setCell(list_, row, 1, r.from);
    setCell(list_, row, 2, r.to);
    setCell(list_, row, 3, r.why);
    setCheck(list_, row, r.check);
    if (focus < 0 && !toggled_.empty() && r.component == toggled_) focus = row;
    ++row;
  }
  if (focus >= 0) focusRow(focus);
  filling_ = false;
  SetWindowTextW(summary_, widen(preview_.summary).c_str());
  SetWindowTextW(note_, noteText().c_str());
  ShowWindow(note_, noteText().empty() ? SW_HIDE : SW_SHOW);
  InvalidateRect(map_->handle(), nullptr, TRUE);
}

// As many lines as the note takes wrapped at width; none without a note.
int PreviewWindow::noteHeight(int width) const {
  const std::wstring note = noteText();
  if (note.empty()) return 0;
  RECT need{0, 0, std::max(width, 1), 0};
  WindowDc dc(note_, fontOrDefault(font_));
  DrawTextW(dc.get(), note.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return need.bottom + scaled(2);
}

// What Rename needs first, then the rules line.
std::wstring PreviewWindow::noteText() const {
  const bool both = !preview_.rules.empty() && !preview_.note.empty();
  return widen(preview_.note + (both ? "\n" : "") + preview_.rules);
}

// The row toggled keeps the focus when the list is filled again.
void PreviewWindow::focusRow(int row) {
  LVITEMW item{};
  item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  item.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  SendMessageW(list_, LVM_ENSUREVISIBLE, row, FALSE);
}

// A check box the user toggled, as the list tells it; its rows are looked
// at once the notification has returned.
void PreviewWindow::onItemChanged(const NMLISTVIEW& change) {
  if (filling_ || !(change.uChanged & LVIF_STATE) ||
      !((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) || change.iItem < 0)
    return;
  PostMessageW(handle(), kRowToggledMessage, static_cast<WPARAM>(change.iItem),
               static_cast<LPARAM>(change.uNewState & LVIS_STATEIMAGEMASK));
}

void PreviewWindow::onRowToggled(std::size_t row, UINT stateImage) {
  if (row >= preview_.rows.size() || !handlers_.rowChecked) return;
  const app::PreviewRow& r = preview_.rows[row];
  const bool checked = stateImage == INDEXTOSTATEIMAGEMASK(2);
  if (r.check == app::PreviewRow::Check::none ||
      checked == (r.check == app::PreviewRow::Check::checked)) {
    setCheck(list_, static_cast<int>(row), r.check);  // a row without a box stays without
    return;
  }
  toggled_ = r.component;
  handlers_.rowChecked(r.component, checked);
}

void PreviewWindow::layout() {
  RECT client;
  GetClientRect(handle(), &client);
  const int margin = scaled(8), button = scaled(80), height = scaled(26), line = scaled(18);
  const int bottom = client.bottom - margin - height;
  const int note = noteHeight(client.right - 2 * margin);
  const int textTop = bottom - line - note - margin / 2, listBottom = textTop - margin / 2;
  const int listRight = preview_.map.empty() ? client.right - margin : client.right * 11 / 20;
  MoveWindow(list_, margin, margin, listRight - margin, listBottom - margin, TRUE);
  if (!preview_.map.empty())
    MoveWindow(map_->handle(), listRight + margin, margin, client.right - listRight - 2 * margin,
               listBottom - margin, TRUE);
  MoveWindow(summary_, margin, textTop, client.right - 2 * margin, line, TRUE);
  MoveWindow(note_, margin, textTop + line, client.right - 2 * margin, note, TRUE);
  sizeColumns();
  int x = client.right - margin - 3 * button - 2 * margin;
  for (HWND b : {renameButton_, copyButton_, closeButton_}) {
    MoveWindow(b, x, bottom, button, height, TRUE);
    x += button + margin;
  }
}

void PreviewWindow::closePreview() {
  if (handle()) ShowWindow(handle(), SW_HIDE);
}

bool PreviewWindow::translate(MSG& message) {
  HWND w = handle();
  if (!w || !IsWindowVisible(w) || (message.hwnd != w && !IsChild(w, message.hwnd))) return false;
  return IsDialogMessageW(w, &message) != FALSE;
}

void PreviewWindow::copyToClipboard() const {
  win::copyToClipboard(handle(), widen(app::previewText(preview_)));
}

LRESULT PreviewWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kRename:
          if (handlers_.rename) handlers_.rename();
          return 0;
        case kCopy:
          copyToClipboard();
          return 0;
        case kClose:
          SendMessageW(window, WM_CLOSE, 0, 0);
          return 0;
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == list_ && header->code == LVN_ITEMCHANGED)
        onItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
      return 0;
    }
    case kRowToggledMessage:
      onRowToggled(wParam, static_cast<UINT>(lParam));
      return 0;
    case WM_SIZE:
      if (list_) layout();
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(wParam, lParam);
      return 0;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);
      if (handlers_.closed) handlers_.closed();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// Moved to a monitor of another DPI: where and how large Windows suggests.
void PreviewWindow::onDpiChanged(WPARAM wParam, LPARAM lParam) {
  const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
  applyDpi(LOWORD(wParam));
  SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layout();
}

// The top left of a label at corner beside the point p, clear of its dot.
POINT PreviewWindow::labelAt(HDC dc, POINT p, app::LabelCorner corner,
                             const std::wstring& label) const {
  SIZE size{};
  GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
  const bool left = corner == app::LabelCorner::aboveLeft || corner == app::LabelCorner::belowLeft;
  const bool above =
      corner == app::LabelCorner::aboveLeft || corner == app::LabelCorner::aboveRight;
  const int gap = scaled(4);
  return {left ? p.x - gap - size.cx : p.x + gap, above ? p.y - gap / 2 - size.cy : p.y + gap / 2};
}

// The components scaled to fit, the sheet's Y upwards; a line through them in
// numbering order; each labelled with its new designator, grey when it keeps
// its name.
void PreviewWindow::paintMap(HDC dc, const RECT& area) const {
  if (preview_.map.empty()) return;
  const auto pixels = app::mapLayout(preview_.map, area.right, area.bottom, scaled(24));
  auto at = [&](std::size_t k) { return POINT{pixels[k].x, pixels[k].y}; };
  GdiObject pen(
      CreatePen(PS_SOLID, scaled(2), RGB(app::kMapLine[0], app::kMapLine[1], app::kMapLine[2])));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  for (std::size_t k = 0; k < preview_.map.size(); ++k) {
    const POINT p = at(k);
    if (k == 0)
      MoveToEx(dc, p.x, p.y, nullptr);
    else
      LineTo(dc, p.x, p.y);
  }
  SelectObject(dc, oldPen);
  HGDIOBJ oldFont = SelectObject(dc, fontOrDefault(font_));
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t k = 0; k < preview_.map.size(); ++k) {
    const app::MapPoint& point = preview_.map[k];
    const POINT p = at(k);
    const COLORREF colour = point.keepsName ? RGB(150, 150, 150) : RGB(0, 0, 0);
    GdiObject dot(CreateSolidBrush(colour));
    const int half = scaled(3);
    const RECT mark{p.x - half, p.y - half, p.x + half + 1, p.y + half + 1};
    FillRect(dc, &mark, static_cast<HBRUSH>(dot.get()));
    SetTextColor(dc, colour);
    const std::wstring label = widen(point.label);
    const POINT corner = labelAt(dc, p, app::labelCorner(pixels, k), label);
    TextOutW(dc, corner.x, corner.y, label.c_str(), static_cast<int>(label.size()));
  }
  SelectObject(dc, oldFont);
}

}  // namespace varnel::win
