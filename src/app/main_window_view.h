#pragma once
// The main window as its logic sees it: controls by id, the title, message
// boxes, and ending the program. The Win32 window implements it; tests fake it.
#include <functional>
#include <optional>
#include <string>

#include "app/controls.h"
#include "app/recovery_question.h"
#include "app/run_request.h"
#include "host/automation.h"
#include "renumber/numbering_rules_text.h"

namespace varnel::app {

// Windows system colours by their index.
enum class SystemColour { window = 5, windowText = 8, inactiveBorder = 11, highlight = 13 };

enum class MessageIcon { critical, exclamation, information };

// What About Varnel says, and the journal folder in a field of its own: a
// long path stays whole on one line and can be copied.
struct AboutContent {
  std::string text;
  std::string journalFolder;
};

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual bool checked(Control id) = 0;
  // Sets the state only: raises no click.
  virtual void setChecked(Control id, bool value) = 0;
  virtual bool enabled(Control id) = 0;
  virtual void setEnabled(Control id, bool value) = 0;
  virtual std::string text(Control id) = 0;
  virtual void setText(Control id, const std::string& text) = 0;
  virtual void setBackground(Control id, SystemColour colour) = 0;
  virtual void setTitle(const std::string& title) = 0;
  // SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST; position and size kept.
  virtual void alwaysOnTop(bool onTop) = 0;
  // Modal, OK only. An empty title shows the application's.
  virtual void showMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
  // Modal, OK only.
  virtual void showAbout(const AboutContent& about) = 0;
  // Asks a modal question with Yes and No, and returns true for Yes.
  virtual bool askYesNo(const std::string& text) = 0;
  // Modal, owned by the main window: how to close a run Varnel's end cut
  // off. One of the three must be chosen (Finish only where it can be);
  // nothing when the box could not be shown.
  virtual std::optional<Recovery> askRecovery(const RecoveryQuestion& question) = 0;
  // Modal, owned by the main window: the Numbering options, filled with
  // current. OK is refused, with check's refusal, while check finds a field
  // it cannot take, and that field is selected; nothing when the box is
  // cancelled.
  using RulesCheck =
      std::function<std::optional<renumber::FieldRefusal>(const renumber::RulesTexts&)>;
  virtual std::optional<renumber::RulesTexts> askNumberingOptions(
      const renumber::RulesTexts& current, const RulesCheck& check) = 0;
  // Shows a folder to the user (Explorer on Windows).
  virtual void openFolder(const std::string& path) = 0;
  // Closes every window at once; no further handler runs.
  virtual void endProgram() = 0;
  // Hands an event of PowerLogic's to the window's own message loop, which
  // gives it to the presenter's onHostEvent once the COM callback that
  // brought it (and any call to PowerLogic it came inside) has returned.
  virtual void deliverLater(host::HostEvent event) = 0;
  // The status bar's line along the bottom of the window.
  virtual void setStatus(const std::string& text) = 0;
  // Shows the window now, before long work of the start-up.
  virtual void showWindow() = 0;
};

}  // namespace varnel::app
