#pragma once
// The main window's controls: one enum for their ids, and their layout in
// twips (left, top, width, height relative to the container), in tab order.
#include <array>
#include <optional>

namespace varnel::app {

enum class Control : int {
  mainFrame = 1000,
  allComponents,
  startNumber,
  run,
  selectedComponents,
  startLabel,
  end,
  conflictFrame,
  assignNextFree,
  renameDuplicates,
  progress,
  ecoFrame,
  ecoOptionsFrame,
  writeOnly,
  forceReadInPcb,
  writeEco,
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
    {Control::mainFrame, ControlKind::frame, Control::none, "", 0, -90, 5715, 2445},
    {Control::allComponents, ControlKind::option, Control::mainFrame, "Rename &all components", 90,
     180, 2355, 375},
    {Control::startNumber, ControlKind::text, Control::mainFrame, "", 2880, 1710, 735, 315},
    {Control::run, ControlKind::button, Control::none, "&Run", 60, 1560, 1335, 555},
    {Control::selectedComponents, ControlKind::option, Control::mainFrame,
     "Rename &selected components", 90, 555, 2565, 285},
    {Control::startLabel, ControlKind::label, Control::mainFrame, "S&tart from:", 2100, 1740, 735,
     315},
    // Meant: E is End's access key, not n, which "Assign next free names" owns.
    {Control::end, ControlKind::button, Control::none, "&End", 4320, 1560, 1335, 555},
    {Control::conflictFrame, ControlKind::frame, Control::mainFrame, "", 330, 765, 2355, 765},
    {Control::assignNextFree, ControlKind::option, Control::conflictFrame,
     "Assign &next free names", 120, 90, 2055, 345},
    {Control::renameDuplicates, ControlKind::option, Control::conflictFrame, "Rename &duplicates",
     120, 405, 2025, 285},
    {Control::progress, ControlKind::progress, Control::none, "", 60, 2130, 5595, 165},
    {Control::ecoFrame, ControlKind::frame, Control::mainFrame, "", 2880, 150, 2775, 1425},
    {Control::ecoOptionsFrame, ControlKind::frame, Control::ecoFrame, "Options", 105, 570, 2610,
     765},
    {Control::writeOnly, ControlKind::option, Control::ecoOptionsFrame, "Write &only", 135, 225,
     2415, 285},
    {Control::forceReadInPcb, ControlKind::option, Control::ecoOptionsFrame,
     "Write and &force read in PCB", 135, 480, 2445, 255},
    {Control::writeEco, ControlKind::check, Control::ecoFrame, "&Write ECO file for PowerPCB", 90,
     105, 2505, 315},
}};

// The order Tab visits the controls in, as the window reads: the modes,
// their conflict rules, the ECO options, then Run, the start number and End
// along the bottom. Each group of option buttons is one stop (the chosen
// button), the arrow keys moving within it; each entry begins a group.
inline constexpr std::array<Control, 11> kTabOrder{Control::allComponents,
                                                   Control::selectedComponents,
                                                   Control::assignNextFree,
                                                   Control::renameDuplicates,
                                                   Control::writeEco,
                                                   Control::writeOnly,
                                                   Control::forceReadInPcb,
                                                   Control::run,
                                                   Control::startLabel,
                                                   Control::startNumber,
                                                   Control::end};

// True for the first control of a group (WS_GROUP): the first of each pair
// of option buttons, and every control that is not an option button.
constexpr bool beginsGroup(Control id) {
  return id != Control::selectedComponents && id != Control::renameDuplicates &&
         id != Control::forceReadInPcb;
}

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
  return id != Control::startNumber && id != Control::assignNextFree &&
         id != Control::renameDuplicates && id != Control::writeOnly &&
         id != Control::forceReadInPcb;
}
constexpr bool initiallyChecked(Control id) {
  return id == Control::forceReadInPcb;
}

// The partner an option button excludes, if any.
constexpr Control partnerOf(Control option) {
  switch (option) {
    case Control::allComponents:
      return Control::selectedComponents;
    case Control::selectedComponents:
      return Control::allComponents;
    case Control::assignNextFree:
      return Control::renameDuplicates;
    case Control::renameDuplicates:
      return Control::assignNextFree;
    case Control::writeOnly:
      return Control::forceReadInPcb;
    case Control::forceReadInPcb:
      return Control::writeOnly;
    default:
      return Control::none;
  }
}

}  // namespace varnel::app
