#include "win32/ui/main_window.h"
#include "win32/ui/long_message_box.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>

#include "app/main_window_layout.h"
#include "win32/base/text.h"
#include "win32/base/text_metrics.h"
#include "win32/base/window_class.h"
#include "win32/base/window_text.h"
#include "win32/ui/about_box.h"
#include "win32/ui/numbering_options_box.h"
#include "win32/ui/recovery_box.h"
#include "win32/ui/work_areas.h"

namespace varnel::win {

namespace {

using app::Control;
using app::ControlKind;

constexpr wchar_t kClassName[] = L"VarnelMain";
// System menu commands: below 0xF000, the low four bits clear.
constexpr UINT kPreviewCommand = 0x0100;
constexpr UINT kUndoCommand = 0x0110;
constexpr UINT kJournalFolderCommand = 0x0120;
constexpr UINT kAboutCommand = 0x0130;
constexpr UINT kNumberingOptionsCommand = 0x0140;
// An event of PowerLogic's, posted by the COM callback that brought it.
constexpr UINT kHostEventMessage = WM_APP + 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extendedStyle;
};

ControlClass classOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::frame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::option:
      return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case ControlKind::check:
      // Not automatic: the window's logic ticks it, so that a click while
      // the window is busy changes nothing.
      return {L"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0};
    case ControlKind::button:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::text:
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::label:
      return {L"STATIC", SS_RIGHT, 0};
    case ControlKind::progress:
      return {PROGRESS_CLASSW, 0, 0};
  }
  return {L"STATIC", 0, 0};
}

UINT iconFlag(app::MessageIcon icon) {
  switch (icon) {
    case app::MessageIcon::critical:
      return MB_ICONHAND;
    case app::MessageIcon::exclamation:
      return MB_ICONEXCLAMATION;
    default:
      return MB_ICONINFORMATION;
  }
}

}  // namespace

MainWindow::MainWindow(std::function<void()> closeAlso) : closeAlso_(std::move(closeAlso)) {
  create({kClassName, L"Varnel", kWindowStyle});
  for (const app::ControlLayout& layout : app::kMainWindowLayout) createControl(layout);
  progress_.emplace(controls_.at(Control::progress));
  createStatusBar();
  applyDpi(dpiOf(handle()));
  placeOnDesktop();
  addCommandsToSystemMenu();
  // Frames lie under the controls they hold; the others take the tab order.
  for (const app::ControlLayout& layout : app::kMainWindowLayout)
    if (layout.kind == ControlKind::frame)
      SetWindowPos(controls_[layout.id], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  orderForTab();
  backgrounds_[Control::startNumber] = app::SystemColour::inactiveBorder;
  backgrounds_[Control::conflictFrame] = app::SystemColour::inactiveBorder;
}

void MainWindow::open(app::MainWindowPresenter& presenter, int show, bool quitOnClose) {
  presenter_ = &presenter;
  quitOnClose_ = quitOnClose;
  show_ = show;
  presenter.onLoad();
  if (!ended_) showWindow();
}

void MainWindow::showWindow() {
  if (shown_) return;
  ShowWindow(handle(), show_);
  UpdateWindow(handle());
  shown_ = true;
}

// Along the bottom, below every control of the layout, which stays where it
// is: the window grows by the bar's height.
void MainWindow::createStatusBar() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, handle(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The bar's height for its font, as it sizes itself.
int MainWindow::statusBarHeight() const {
  SendMessageW(status_, WM_SIZE, 0, 0);
  RECT bar{};
  GetWindowRect(status_, &bar);
  return bar.bottom - bar.top;
}

// Tab follows the window's own order (z-order): the controls are put in
// kTabOrder above the frames, each beginning its group but the second of a
// pair of option buttons.
void MainWindow::orderForTab() {
  HWND after = HWND_TOP;
  for (Control id : app::kTabOrder) {
    HWND control = controls_.at(id);
    SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    SetWindowLongW(control, GWL_STYLE,
                   app::beginsGroup(id) ? style | WS_GROUP : style & ~LONG(WS_GROUP));
    if (app::partnerOf(id) != Control::none) setGroupTabStop(id);
  }
}

// One tab stop a pair of option buttons: the chosen one, or the first of
// the pair while neither is chosen.
void MainWindow::setGroupTabStop(Control option) {
  const bool first = app::beginsGroup(option);
  const Control one = first ? option : app::partnerOf(option), two = app::partnerOf(one);
  const bool twoChosen = SendMessageW(controls_.at(two), BM_GETCHECK, 0, 0) == BST_CHECKED;
  for (const auto& [id, stop] : {std::pair{one, !twoChosen}, std::pair{two, twoChosen}}) {
    HWND control = controls_.at(id);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    SetWindowLongW(control, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~LONG(WS_TABSTOP));
  }
}

void MainWindow::createControl(const app::ControlLayout& layout) {
  const ControlClass kind = classOf(layout.kind);
  DWORD style = WS_CHILD | (app::isDrawn(layout.id) ? WS_VISIBLE : 0) | kind.style;
  if (!app::initiallyEnabled(layout.id)) style |= WS_DISABLED;
  HWND control = CreateWindowExW(
      kind.extendedStyle, kind.name, widen(layout.caption).c_str(), style, 0, 0, 0, 0, handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), GetModuleHandleW(nullptr), nullptr);
  if (app::initiallyChecked(layout.id)) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  controls_[layout.id] = control;
}

// The whole window at dpi: the message font, the controls from their twips,
// the client area, the icons. Again whenever it moves to a monitor of another DPI.
void MainWindow::applyDpi(UINT dpi) {
  dpi_ = dpi;
  GdiObject font = messageFontAt(dpi);
  const HGDIOBJ used = fontOrDefault(font);
  for (const auto& [id, control] : controls_)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(used), FALSE);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(used), FALSE);
  font_ = std::move(font);  // the old font only now, when nothing uses it
  layoutControls();
  fitClientArea(twipsAt(app::kClientWidthTwips, dpi),
                twipsAt(app::kClientHeightTwips, dpi) + statusBarHeight());
  SendMessageW(status_, WM_SIZE, 0, 0);  // to the new bottom
  setIcons();
  InvalidateRect(handle(), nullptr, TRUE);
}

// The frame as Windows computes it for the DPI, then corrected by what the
// window's frame really takes (a system may draw it at another DPI).
void MainWindow::fitClientArea(int width, int height) {
  const RECT frame = frameAround(width, height, kWindowStyle, 0, dpi_);
  SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  for (int attempt = 0; attempt < 2; ++attempt) {
    SetWindowPos(handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(handle(), &client);
    if (client.right == width && client.bottom == height) return;
    size.cx += width - client.right;
    size.cy += height - client.bottom;
  }
}

// The pixel layout for the font at the DPI; the hidden outer frame only holds.
void MainWindow::layoutControls() {
  app::LayoutMetrics metrics{static_cast<int>(dpi_),
                             lineHeight(controls_.at(Control::run)),
                             systemMetricAt(SM_CXMENUCHECK, dpi_),
                             {}};
  for (const app::ControlLayout& layout : app::kMainWindowLayout)
    if (layout.caption[0]) metrics.captionWidths[layout.id] = captionWidth(controls_[layout.id]);
  for (const auto& [id, r] : app::layOutMainWindow(metrics))
    SetWindowPos(controls_.at(id), nullptr, r.left, r.top, r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::setIcons() {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  auto load = [&](int metric) {
    const int size = systemMetricAt(metric, dpi_);
    return IconHandle(static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size, 0)));
  };
  IconHandle big = load(SM_CXICON), small = load(SM_CXSMICON);
  if (!big.get() || !small.get()) return;  // a program without the icon keeps the class's
  SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

// Where it was last closed, or near the primary monitor's top-right corner,
// wholly on a monitor that exists now.
void MainWindow::placeOnDesktop() {
  RECT r;
  GetWindowRect(handle(), &r);
  const app::ScreenRect at =
      app::openingRect(positions_.load(), r.right - r.left, r.bottom - r.top, monitorWorkAreas(),
                       {twipsAt(360, dpi_), twipsAt(1440, dpi_)});
  SetWindowPos(handle(), nullptr, at.left, at.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (const UINT there = dpiOf(handle()); there != dpi_) applyDpi(there);
}

void MainWindow::savePosition() {
  RECT r;
  if (!shown_ || IsIconic(handle()) || !GetWindowRect(handle(), &r)) return;
  positions_.save({r.left, r.top});
}

int MainWindow::lineHeight(HWND control) {
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  return fontHeight(control, font);
}

int MainWindow::captionWidth(HWND control) {
  std::wstring text = widen(windowText(control));
  std::erase(text, L'&');
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  return textWidth(control, font, text) + 2;
}

void MainWindow::addCommandsToSystemMenu() {
  HMENU menu = GetSystemMenu(handle(), FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kPreviewCommand, L"&Preview renames...\tCtrl+P");
  AppendMenuW(menu, MF_STRING, kUndoCommand, L"&Undo last run...\tCtrl+Z");
  AppendMenuW(menu, MF_STRING, kJournalFolderCommand, L"Open &journal folder");
  // O, not N: Windows' own Minimize owns n in this menu.
  AppendMenuW(menu, MF_STRING, kNumberingOptionsCommand, L"Numbering &options...");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About Varnel");
}

// Ctrl+P and Ctrl+Z while the main window is active.
bool MainWindow::onShortcut(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != handle() && !IsChild(handle(), message.hwnd)) return false;
  if (message.wParam == VK_F1) {
    openHelp();
    return true;
  }
  if (GetKeyState(VK_CONTROL) >= 0) return false;
  if (message.wParam == 'P')
    presenter_->onPreview();
  else if (message.wParam == 'Z')
    presenter_->onUndo();
  else
    return false;
  return true;
}

bool MainWindow::translate(MSG& message) {
  if (!handle() || !presenter_) return false;
  if (onShortcut(message)) return true;
  if (message.message == WM_KEYDOWN && moveWithinOptionGroup(message)) return true;
  if (message.message == WM_SYSCHAR && focusLabelledControl(message)) return true;
  return IsDialogMessageW(handle(), &message) != FALSE;
}

bool MainWindow::focusLabelledControl(const MSG& message) {
  // "S&tart from:" labels the start box. While the box is disabled, the
  // dialog manager would focus the control after it (End) instead.
  if (!(message.lParam & (1 << 29)) || towupper(static_cast<wint_t>(message.wParam)) != L'T')
    return false;
  HWND start = controls_.at(Control::startNumber);
  if (IsWindowEnabled(start)) focus(start);
  return true;
}

void MainWindow::focus(HWND control) {
  SetFocus(control);
  // A text box reached by keyboard has its text selected, ready to type over.
  if (control == controls_.at(Control::startNumber)) SendMessageW(control, EM_SETSEL, 0, -1);
}

bool MainWindow::moveWithinOptionGroup(const MSG& message) {
  if (message.wParam != VK_UP && message.wParam != VK_DOWN && message.wParam != VK_LEFT &&
      message.wParam != VK_RIGHT)
    return false;
  const auto id = static_cast<Control>(GetDlgCtrlID(message.hwnd));
  if (GetParent(message.hwnd) != handle() || app::partnerOf(id) == Control::none) return false;
  // Each group of option buttons is a pair: an arrow moves to the other one
  // and chooses it, as in any Windows dialog.
  const Control partner = app::partnerOf(id);
  if (IsWindowEnabled(controls_.at(partner))) {
    focus(controls_.at(partner));
    presenter_->onClick(partner);
  }
  return true;
}

LRESULT MainWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Until it is opened there is no one to tell, and nothing to tell of.
  if (!presenter_) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      onCommand(wParam);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return onColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message,
                      wParam, lParam);
    case WM_CLOSE:
      presenter_->onClick(Control::end);
      return 0;
    case WM_SYSCOMMAND:
      return onSystemCommand(wParam) ? 0 : DefWindowProcW(window, message, wParam, lParam);
    case WM_DPICHANGED:
      onDpiChanged(wParam, lParam);
      return 0;
    case kHostEventMessage:
      presenter_->onHostEvent(static_cast<host::HostEvent>(wParam));
      return 0;
    case WM_DESTROY:
      savePosition();
      if (quitOnClose_) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void MainWindow::onCommand(WPARAM wParam) {
  if (LOWORD(wParam) == IDCANCEL)
    presenter_->onEscape();  // Stop while long work goes, else End
  else if (LOWORD(wParam) == IDOK)
    onEnter();
  else if (HIWORD(wParam) == BN_CLICKED)
    presenter_->onClick(static_cast<Control>(LOWORD(wParam)));
}

// The commands added to the system menu; false for Windows' own.
bool MainWindow::onSystemCommand(WPARAM wParam) {
  switch (wParam & 0xFFF0) {
    case kPreviewCommand:
      presenter_->onPreview();
      return true;
    case kUndoCommand:
      presenter_->onUndo();
      return true;
    case kJournalFolderCommand:
      presenter_->onOpenJournalFolder();
      return true;
    case kAboutCommand:
      presenter_->onAbout();
      return true;
    case kNumberingOptionsCommand:
      presenter_->onNumberingOptions();
      return true;
  }
  return false;
}

// Laid out again at the new monitor's DPI, where Windows suggests.
void MainWindow::onDpiChanged(WPARAM wParam, LPARAM lParam) {
  const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
  applyDpi(LOWORD(wParam));
  SetWindowPos(handle(), nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::onEnter() {
  // Enter presses the focused push button; elsewhere it does nothing.
  const auto id = static_cast<Control>(GetDlgCtrlID(GetFocus()));
  if (id == Control::run || id == Control::end) presenter_->onClick(id);
}

LRESULT MainWindow::onColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto id = static_cast<Control>(GetDlgCtrlID(control));
  auto background = backgrounds_.find(id);
  if (background == backgrounds_.end()) return DefWindowProcW(handle(), message, wParam, lParam);
  const int colour = static_cast<int>(background->second);
  SetTextColor(dc, GetSysColor(id == Control::conflictFrame ? COLOR_HIGHLIGHT
                               : IsWindowEnabled(control)   ? COLOR_WINDOWTEXT
                                                            : COLOR_GRAYTEXT));
  SetBkColor(dc, GetSysColor(colour));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
}

bool MainWindow::checked(Control id) {
  return SendMessageW(controls_.at(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::setChecked(Control id, bool value) {
  if (id == Control::none) return;
  HWND control = controls_.at(id);
  SendMessageW(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (app::partnerOf(id) != Control::none) setGroupTabStop(id);
}

bool MainWindow::enabled(Control id) {
  return IsWindowEnabled(controls_.at(id)) != FALSE;
}

void MainWindow::setEnabled(Control id, bool value) {
  EnableWindow(controls_.at(id), value);
}

std::string MainWindow::text(Control id) {
  return windowText(controls_.at(id));
}

void MainWindow::setText(Control id, const std::string& text) {
  SetWindowTextW(controls_.at(id), widen(text).c_str());
}

void MainWindow::setBackground(Control id, app::SystemColour colour) {
  backgrounds_[id] = colour;
  InvalidateRect(controls_.at(id), nullptr, TRUE);
}

void MainWindow::setTitle(const std::string& title) {
  SetWindowTextW(handle(), widen(title).c_str());
}

void MainWindow::alwaysOnTop(bool onTop) {
  SetWindowPos(handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::showMessage(const std::string& text, const std::string& title,
                             app::MessageIcon icon) {
  HWND owner = handle() && IsWindowVisible(handle()) ? handle() : nullptr;
  if (needsScrolling(text)) return showLongMessage(owner, title.empty() ? "Varnel" : title, text);
  MessageBoxW(owner, widen(text).c_str(), title.empty() ? L"Varnel" : widen(title).c_str(),
              MB_OK | iconFlag(icon));
}

void MainWindow::showAbout(const app::AboutContent& about) {
  showAboutBox(handle(), about);
}

// F1: the README.txt that ships beside Varnel.exe, in the program that
// opens text files; where it is missing, the message says where to look.
void MainWindow::openHelp() {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::filesystem::path readme = std::filesystem::path(exe).parent_path() / L"README.txt";
  std::error_code missing;
  if (std::filesystem::exists(readme, missing) &&
      reinterpret_cast<INT_PTR>(
          ShellExecuteW(handle(), L"open", readme.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return;
  showMessage("Varnel's help is the README.txt that comes with Varnel.exe; it is not in " +
                  narrow(readme.parent_path().wstring()) + ".",
              "", app::MessageIcon::information);
}

bool MainWindow::askYesNo(const std::string& text) {
  return MessageBoxW(handle(), widen(text).c_str(), L"Varnel", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void MainWindow::showStatusNow(const std::string& text) {
  setStatus(text);
  UpdateWindow(status_);
}

std::optional<renumber::RulesTexts> MainWindow::askNumberingOptions(
    const renumber::RulesTexts& current, const RulesCheck& check) {
  return win::askNumberingOptions(handle(), current, check);
}

std::optional<app::Recovery> MainWindow::askRecovery(const app::RecoveryQuestion& question) {
  return win::askRecovery(handle(), question);
}

void MainWindow::openFolder(const std::string& path) {
  if (path.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(widen(path)), ignored);
  ShellExecuteW(handle(), L"open", widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::deliverLater(host::HostEvent event) {
  if (handle()) PostMessageW(handle(), kHostEventMessage, static_cast<WPARAM>(event), 0);
}

void MainWindow::endProgram() {
  ended_ = true;
  if (closeAlso_) closeAlso_();
  destroy();
}

void MainWindow::setStatus(const std::string& text) {
  SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

std::string MainWindow::statusText() const {
  wchar_t text[512] = L"";
  if (LOWORD(SendMessageW(status_, SB_GETTEXTLENGTHW, 0, 0)) < 512)
    SendMessageW(status_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return narrow(text);
}

}  // namespace varnel::win
