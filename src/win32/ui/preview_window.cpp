#include "win32/ui/preview_window.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/map_image.h"
#include "app/map_labels.h"
#include "win32/base/clipboard.h"
#include "win32/base/text.h"
#include "win32/base/window_dc.h"
#include "win32/ui/work_areas.h"

namespace varnel::win {

namespace {

constexpr wchar_t kClassName[] = L"VarnelPreview";
constexpr wchar_t kMapClassName[] = L"VarnelPreviewMap";
constexpr COLORREF kKeptGrey = RGB(150, 150, 150);  // a component that keeps its name
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

// The state image of a row: none, unchecked (1) or checked (2).
UINT stateImageOf(app::PreviewRow::Check check) {
  switch (check) {
    case app::PreviewRow::Check::none:
      return 0;
    case app::PreviewRow::Check::unchecked:
      return 1;
    default:
      return 2;
  }
}

std::string cellText(const app::PreviewRow& row, int column) {
  switch (column) {
    case 0:
      return row.step ? std::to_string(row.step) : "";
    case 1:
      return row.from;
    case 2:
      return row.to;
    default:
      return row.why;
  }
}

// The widest of a column's longest texts: in a proportional font the text
// of most characters is nearly always the widest, so only the longest few
// are measured, however many rows there are.
int widestText(HDC dc, const std::vector<app::PreviewRow>& rows, int column) {
  std::vector<std::pair<std::size_t, std::size_t>> lengths;  // length, row
  lengths.reserve(rows.size());
  for (std::size_t k = 0; k < rows.size(); ++k)
    lengths.emplace_back(cellText(rows[k], column).size(), k);
  const std::size_t measured = std::min<std::size_t>(lengths.size(), 16);
  std::partial_sort(lengths.begin(), lengths.begin() + measured, lengths.end(), std::greater<>());
  int widest = 0;
  for (std::size_t k = 0; k < measured; ++k) {
    const std::wstring text = widen(cellText(rows[lengths[k].second], column));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  return widest;
}

}  // namespace

void PreviewWindow::create() {
  // At the main window's DPI, beside it, wholly inside the work area of its monitor.
  const UINT dpi = dpiOf(owner_);
  app::ScreenRect at{0, 0, twipsAt(10500, dpi), twipsAt(6000, dpi)};
  RECT owner;
  if (owner_ && GetWindowRect(owner_, &owner))
    at = app::besideOf({owner.left, owner.top, owner.right, owner.bottom}, at.width(), at.height(),
                       workAreaOf(owner_));
  else
    at = app::movedInside(at, workAreaOf(owner_));
  list_ = {};  // the last window's controls went with it
  Window::create({kClassName, L"Preview", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                  RECT{at.left, at.top, at.right, at.bottom}, owner_});
  HWND w = handle();
  list_.create(w, kList, {std::begin(kColumnTitles), std::end(kColumnTitles)},
               {[this](int row, int column) { return widen(cellText(preview_.rows[row], column)); },
                [this](int row) { return stateImageOf(preview_.rows[row].check); },
                [this](int row, std::optional<bool> checked) { askToggle(row, checked); }});
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
  for (HWND control : {list_.handle(), summary_, note_, renameButton_, copyButton_, closeButton_})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontOrDefault(font)), TRUE);
  font_ = std::move(font);  // the old font only now, when nothing uses it
  measureColumns();
  sizeColumns();
  InvalidateRect(map_->handle(), nullptr, TRUE);
}

// Each column as wide as its longest text or its title, the first with the
// check boxes too: measured once a plan or a font, not at every resize.
void PreviewWindow::measureColumns() {
  WindowDc dc(list_.handle(), fontOrDefault(font_));
  for (int column = 0; column < 4; ++column) {
    const std::wstring title = kColumnTitles[column];
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), title.c_str(), static_cast<int>(title.size()), &size);
    const int box = column == 0 ? GetSystemMetrics(SM_CXSMICON) + scaled(6) : 0;
    columnWidths_[column] =
        std::max<int>(widestText(dc.get(), preview_.rows, column) + box, size.cx) + scaled(16);
  }
}

// The columns as measured; the last one takes the rest of the list's width besides.
void PreviewWindow::sizeColumns() {
  int used = 0;
  for (int column = 0; column < 3; ++column) {
    list_.setColumnWidth(column, columnWidths_[column]);
    used += columnWidths_[column];
  }
  RECT client;
  GetClientRect(list_.handle(), &client);
  list_.setColumnWidth(3, std::max<LONG>(columnWidths_[3], client.right - used));
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
  // A plan worked out again for a check box keeps the list where the user
  // had it: the row unchecked moves to the kept rows at the end, but the
  // list does not follow it there.
  const auto toggled = rowOf(toggled_);
  list_.refill(preview_.rows.size(),
               toggled ? std::optional<int>(static_cast<int>(*toggled)) : std::nullopt,
               keepScroll_);
  measureColumns();
  SetWindowTextW(summary_, widen(preview_.summary).c_str());
  SetWindowTextW(note_, noteText().c_str());
  ShowWindow(note_, noteText().empty() ? SW_HIDE : SW_SHOW);
  InvalidateRect(map_->handle(), nullptr, TRUE);
}

std::optional<std::size_t> PreviewWindow::rowOf(const std::string& component) const {
  if (component.empty()) return std::nullopt;
  for (std::size_t k = 0; k < preview_.rows.size(); ++k)
    if (preview_.rows[k].component == component) return k;
  return std::nullopt;
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

// A check box the user toggled: a click on it or the space bar on its row,
// or the list's own change of its state. Each says what the row is to be,
// not that it flips, so that two ways of telling one toggle make one; the
// plan is worked out again once the list's notification has returned.
void PreviewWindow::askToggle(int row, std::optional<bool> checked) {
  if (row < 0 || static_cast<std::size_t>(row) >= preview_.rows.size()) return;
  const app::PreviewRow& r = preview_.rows[row];
  if (r.check == app::PreviewRow::Check::none) return;
  pendingToggles_.emplace_back(r.component,
                               checked.value_or(r.check == app::PreviewRow::Check::unchecked));
  PostMessageW(handle(), kRowToggledMessage, 0, 0);
}

void PreviewWindow::onRowsToggled() {
  const auto toggles = std::move(pendingToggles_);
  pendingToggles_.clear();
  for (const auto& [component, checked] : toggles) {
    const auto row = rowOf(component);
    if (!row || !handlers_.rowChecked) continue;
    const app::PreviewRow& r = preview_.rows[*row];
    if (checked == (r.check == app::PreviewRow::Check::checked)) continue;  // told twice
    toggled_ = component;
    keepScroll_ = true;
    handlers_.rowChecked(component, checked);
    keepScroll_ = false;
  }
  InvalidateRect(list_.handle(), nullptr, FALSE);
}

void PreviewWindow::layout() {
  RECT client;
  GetClientRect(handle(), &client);
  const int margin = scaled(8), button = scaled(80), height = scaled(26), line = scaled(18);
  const int bottom = client.bottom - margin - height;
  const int note = noteHeight(client.right - 2 * margin);
  const int textTop = bottom - line - note - margin / 2, listBottom = textTop - margin / 2;
  const int listRight = preview_.map.empty() ? client.right - margin : client.right * 11 / 20;
  MoveWindow(list_.handle(), margin, margin, listRight - margin, listBottom - margin, TRUE);
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
    case WM_NOTIFY:
      list_.onNotify(lParam);
      return 0;
    case kRowToggledMessage:
      onRowsToggled();
      return 0;
    case WM_SIZE:
      if (list_.handle()) layout();
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

// The components scaled to fit, the sheet's Y upwards; a line through them in
// numbering order; each labelled with its new designator, grey when it keeps
// its name. Dots come before labels, so that no dot hides a label.
void PreviewWindow::paintMap(HDC dc, const RECT& area) const {
  if (preview_.map.empty()) return;
  const auto pixels = app::mapLayout(preview_.map, area.right, area.bottom, scaled(24));
  paintLines(dc, pixels);
  for (std::size_t k = 0; k < preview_.map.size(); ++k) {
    GdiObject dot(CreateSolidBrush(preview_.map[k].keepsName ? kKeptGrey : RGB(0, 0, 0)));
    const int half = scaled(3);
    const RECT mark{pixels[k].x - half, pixels[k].y - half, pixels[k].x + half + 1,
                    pixels[k].y + half + 1};
    FillRect(dc, &mark, static_cast<HBRUSH>(dot.get()));
  }
  paintLabels(dc, pixels, area);
}

void PreviewWindow::paintLines(HDC dc, const std::vector<app::MapPixel>& pixels) const {
  for (std::size_t k = 1; k < preview_.map.size(); ++k) {
    if (!preview_.map[k].joinsPrevious) continue;
    const std::uint8_t* rgb = app::mapLineColour(preview_.map[k].colour);
    GdiObject pen(CreatePen(PS_SOLID, scaled(2), RGB(rgb[0], rgb[1], rgb[2])));
    HGDIOBJ oldPen = SelectObject(dc, pen.get());
    MoveToEx(dc, pixels[k - 1].x, pixels[k - 1].y, nullptr);
    LineTo(dc, pixels[k].x, pixels[k].y);
    SelectObject(dc, oldPen);
  }
}

// Each label where it covers no other; on a crowded board some go unlabelled.
void PreviewWindow::paintLabels(HDC dc, const std::vector<app::MapPixel>& pixels,
                                const RECT& area) const {
  HGDIOBJ oldFont = SelectObject(dc, fontOrDefault(font_));
  SetBkMode(dc, TRANSPARENT);
  std::vector<std::wstring> labels;
  std::vector<app::LabelSize> sizes;
  for (const app::MapPoint& point : preview_.map) {
    labels.push_back(widen(point.label));
    SIZE size{};
    GetTextExtentPoint32W(dc, labels.back().c_str(), static_cast<int>(labels.back().size()), &size);
    sizes.push_back({size.cx, size.cy});
  }
  const auto boxes = app::placeLabels(preview_.map, pixels, sizes, area.right, area.bottom,
                                      {scaled(4), scaled(2), scaled(3)});
  for (std::size_t k = 0; k < preview_.map.size(); ++k) {
    if (!boxes[k]) continue;
    SetTextColor(dc, preview_.map[k].keepsName ? kKeptGrey : RGB(0, 0, 0));
    TextOutW(dc, boxes[k]->left, boxes[k]->top, labels[k].c_str(),
             static_cast<int>(labels[k].size()));
  }
  SelectObject(dc, oldFont);
}

}  // namespace varnel::win
