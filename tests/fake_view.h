#pragma once
// The main window in memory: control states, title, messages shown.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "host/automation.h"
#include "standin/memory_host.h"

namespace varnel::testing {

struct FakeView final : ui::MainWindowView {
  struct State {
    bool checked = false, enabled = true;
    std::string text;
    int background = 0;
  };
  struct Message {
    std::string text, title;
    ui::MessageIcon icon;
  };
  std::map<ui::Control, State> controls;
  std::string title = "Varnel";
  bool topmost = false, ended = false;
  std::vector<Message> messages;
  float progressMin = 0, progressMax = 0, progressValue = 0;

  FakeView() {
    for (const auto& c : ui::kMainWindowLayout)
      controls[c.id] = {ui::initiallyChecked(c.id), ui::initiallyEnabled(c.id), c.caption,
                        c.id == ui::Control::startNumber ? 11 : 0};
  }
  bool checked(ui::Control id) override { return controls[id].checked; }
  void setChecked(ui::Control id, bool v) override { controls[id].checked = v; }
  bool enabled(ui::Control id) override { return controls[id].enabled; }
  void setEnabled(ui::Control id, bool v) override { controls[id].enabled = v; }
  std::string text(ui::Control id) override { return controls[id].text; }
  void setText(ui::Control id, const std::string& t) override { controls[id].text = t; }
  void setBackground(ui::Control id, ui::SystemColour c) override {
    controls[id].background = static_cast<int>(c);
  }
  void setTitle(const std::string& t) override { title = t; }
  void alwaysOnTop(bool on) override { topmost = on; }
  std::function<void()> whileMessageOpen;  // what the user does before pressing OK
  std::vector<ui::AboutContent> abouts;
  void showAbout(const ui::AboutContent& about) override { abouts.push_back(about); }
  void showMessage(const std::string& t, const std::string& ti, ui::MessageIcon i) override {
    messages.push_back({t, ti, i});
    if (whileMessageOpen) whileMessageOpen();
  }
  void endProgram() override { ended = true; }
  // Events wait here for the message loop (pump, in the tests).
  std::vector<host::HostEvent> posted;
  void deliverLater(host::HostEvent event) override { posted.push_back(event); }
  std::vector<std::string> foldersOpened;
  void openFolder(const std::string& path) override { foldersOpened.push_back(path); }
  void setProgressRange(float min, float max) override {
    progressMin = min;
    progressMax = max;
  }
  void setProgressValue(float v) override { progressValue = v; }
  std::string status;
  void setStatus(const std::string& text) override { status = text; }

  // The user clicks an option button: it is selected, its partner cleared.
  void select(ui::Control option) {
    controls[option].checked = true;
    controls[ui::partnerOf(option)].checked = false;
  }
};

struct FakeAttacher final : host::HostAttacher {
  std::shared_ptr<host::Application> app;  // empty: not running
  std::shared_ptr<host::Application> attach() override {
    if (!app) throw errors::cannotCreateObject();
    return app;
  }
};

}  // namespace varnel::testing
