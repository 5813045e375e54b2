#pragma once
// The main window in memory: control states, title, messages shown.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "app/numbering_options_store.h"
#include "host/automation.h"
#include "standin/memory_host.h"

namespace varnel::tests {

struct FakeView final : app::MainWindowView {
  struct State {
    bool checked = false, enabled = true;
    std::string text;
    int background = 0;
  };
  struct Message {
    std::string text, title;
    app::MessageIcon icon;
  };
  std::map<app::Control, State> controls;
  std::string title = "Varnel";
  bool topmost = false, ended = false;
  std::vector<Message> messages;

  FakeView() {
    for (const auto& c : app::kMainWindowLayout)
      controls[c.id] = {app::initiallyChecked(c.id), app::initiallyEnabled(c.id), c.caption,
                        c.id == app::Control::startNumber ? 11 : 0};
  }
  bool checked(app::Control id) override { return controls[id].checked; }
  void setChecked(app::Control id, bool v) override { controls[id].checked = v; }
  bool enabled(app::Control id) override { return controls[id].enabled; }
  void setEnabled(app::Control id, bool v) override { controls[id].enabled = v; }
  std::string text(app::Control id) override { return controls[id].text; }
  void setText(app::Control id, const std::string& t) override { controls[id].text = t; }
  void setBackground(app::Control id, app::SystemColour c) override {
    controls[id].background = static_cast<int>(c);
  }
  void setTitle(const std::string& t) override { title = t; }
  void alwaysOnTop(bool on) override { topmost = on; }
  std::function<void()> whileMessageOpen;  // what the user does before pressing OK
  std::vector<app::AboutContent> abouts;
  void showAbout(const app::AboutContent& about) override { abouts.push_back(about); }
  bool shown = false;
  void showWindow() override { shown = true; }
  std::vector<std::string> questions;
  bool yes = true;  // the answer to every Yes-or-No question
  bool askYesNo(const std::string& text) override {
    questions.push_back(text);
    return yes;
  }
  std::vector<app::RecoveryQuestion> recoveryQuestions;
  app::Recovery recoveryChoice = app::Recovery::leave;  // what the user picks
  std::optional<app::Recovery> askRecovery(const app::RecoveryQuestion& question) override {
    recoveryQuestions.push_back(question);
    return recoveryChoice;
  }
  // The Numbering options box: each answer in turn is typed and OK pressed;
  // one the check refuses leaves its message and the next is typed; Cancel
  // once they run out.
  std::vector<renumber::RulesTexts> numberingAnswers;
  std::vector<renumber::RulesTexts> numberingShown;
  std::vector<std::string> numberingRefusals;
  std::optional<renumber::RulesTexts> askNumberingOptions(const renumber::RulesTexts& current,
                                                          const RulesCheck& check) override {
    numberingShown.push_back(current);
    for (; !numberingAnswers.empty(); numberingAnswers.erase(numberingAnswers.begin())) {
      const renumber::RulesTexts typed = numberingAnswers.front();
      if (const auto refusal = check(typed)) {
        numberingRefusals.push_back(refusal->text());
        continue;
      }
      numberingAnswers.erase(numberingAnswers.begin());
      return typed;
    }
    return std::nullopt;
  }
  void showMessage(const std::string& t, const std::string& ti, app::MessageIcon i) override {
    messages.push_back({t, ti, i});
    if (whileMessageOpen) whileMessageOpen();
  }
  void endProgram() override { ended = true; }
  // Events wait here for the message loop (pump, in the tests).
  std::vector<host::HostEvent> posted;
  void deliverLater(host::HostEvent event) override { posted.push_back(event); }
  std::vector<std::string> foldersOpened;
  void openFolder(const std::string& path) override { foldersOpened.push_back(path); }
  std::string status;
  void setStatus(const std::string& text) override { status = text; }

  // The user clicks an option button: it is selected, its partner cleared.
  void select(app::Control option) {
    controls[option].checked = true;
    controls[app::partnerOf(option)].checked = false;
  }
};

struct FakeNumberingOptions final : app::NumberingOptionsStore {
  renumber::RulesTexts kept;
  int saves = 0;
  renumber::RulesTexts load() override { return kept; }
  void save(const renumber::RulesTexts& texts) override {
    kept = texts;
    ++saves;
  }
};

struct FakeAttacher final : host::HostAttacher {
  std::shared_ptr<host::Application> app;  // empty: not running
  std::shared_ptr<host::Application> attach() override {
    if (!app) throw base::errors::cannotCreateObject();
    return app;
  }
};

}  // namespace varnel::tests
