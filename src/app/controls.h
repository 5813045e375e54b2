#pragma once
// The main window's controls: one enum for their ids, and their layout in
// twips (left, top, width, height relative to the container), in tab order.
#include <array>
#include <optional>

namespace varnel::ui {

enum class Control : int {
  frmStart = 1000,
  optStart,
  txtStart,
  cmdRun,
  optSelected,
  lblStartFrom,
  cmdEnd,
  frmMode,
  optAssign,
  optDuplicate,
  prgbarEdistys,
  frmSend,
  frmSendOptions,
  optECO,
  optDirect,
  chkSend,
  none = 0,
};

enum class ControlKind { frame, option, text, button, label, progress, check };

struct ControlLayout {
  Control id;
  ControlKind kind;
  Control container;    // Control::none: the window itself
  const char* caption;  // '&' marks the access key (Alt+letter)
  int left, top, width, height;
};

inline constexpr int kClientWidthTwips = 5700;
inline constexpr int kClientHeightTwips = 2325;

// In tab order.
inline constexpr std::array<ControlLayout, 16> kMainWindowLayout{{
    {Control::frmStart, ControlKind::frame, Control::none, "", 0, -90, 5715, 2445},
    {Control::optStart, ControlKind::option, Control::frmStart, "Rename &all components", 90, 180,
     2355, 375},
    {Control::txtStart, ControlKind::text, Control::frmStart, "", 2880, 1710, 735, 315},
    {Control::cmdRun, ControlKind::button, Control::none, "&Run", 60, 1560, 1335, 555},
    {Control::optSelected, ControlKind::option, Control::frmStart, "Rename &selected components",
     90, 555, 2565, 285},
    {Control::lblStartFrom, ControlKind::label, Control::frmStart, "S&tart from:", 2100, 1740, 735,
     315},
    {Control::cmdEnd, ControlKind::button, Control::none, "E&nd", 4320, 1560, 1335, 555},
    {Control::frmMode, ControlKind::frame, Control::frmStart, "", 330, 765, 2355, 765},
    {Control::optAssign, ControlKind::option, Control::frmMode, "Assign &next free names", 120, 90,
     2055, 345},
    {Control::optDuplicate, ControlKind::option, Control::frmMode, "Rename &duplicates", 120, 405,
     2025, 285},
    {Control::prgbarEdistys, ControlKind::progress, Control::none, "", 60, 2130, 5595, 165},
    {Control::frmSend, ControlKind::frame, Control::frmStart, "", 2880, 150, 2775, 1425},
    {Control::frmSendOptions, ControlKind::frame, Control::frmSend, "Options", 105, 570, 2610, 765},
    {Control::optECO, ControlKind::option, Control::frmSendOptions, "Write &only", 135, 225, 2415,
     285},
    {Control::optDirect, ControlKind::option, Control::frmSendOptions,
     "Write and &force read in PCB", 135, 480, 2445, 255},
    {Control::chkSend, ControlKind::check, Control::frmSend, "&Write ECO file for PowerPCB", 90,
     105, 2505, 315},
}};

// The position relative to the window's client area, in twips.
struct TwipsRect {
  int left, top, width, height;
};

constexpr std::optional<ControlLayout> layoutOf(Control id) {
  for (const ControlLayout& c : kMainWindowLayout)
    if (c.id == id) return c;
  return std::nullopt;
}

constexpr TwipsRect windowRect(Control id) {
  const ControlLayout c = *layoutOf(id);
  TwipsRect r{c.left, c.top, c.width, c.height};
  for (Control up = c.container; up != Control::none; up = layoutOf(up)->container) {
    r.left += layoutOf(up)->left;
    r.top += layoutOf(up)->top;
  }
  return r;
}

// The state after the window loads: the sub-modes and ECO options start
// disabled, "Write and force read in PCB" selected.
constexpr bool initiallyEnabled(Control id) {
  return id != Control::txtStart && id != Control::optAssign && id != Control::optDuplicate &&
         id != Control::optECO && id != Control::optDirect;
}
constexpr bool initiallyChecked(Control id) {
  return id == Control::optDirect;
}

// The partner an option button excludes, if any.
constexpr Control partnerOf(Control option) {
  switch (option) {
    case Control::optStart:
      return Control::optSelected;
    case Control::optSelected:
      return Control::optStart;
    case Control::optAssign:
      return Control::optDuplicate;
    case Control::optDuplicate:
      return Control::optAssign;
    case Control::optECO:
      return Control::optDirect;
    case Control::optDirect:
      return Control::optECO;
    default:
      return Control::none;
  }
}

}  // namespace varnel::ui
