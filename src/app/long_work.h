#pragma once
// Long work of the main window (reading, renaming, PowerPCB reading the ECO
// file, looking at a cut-off run) and the user's Stop: while the work goes,
// Run's place holds Stop, and End asks whether to stop and then end.
#include "app/controls.h"
#include "app/main_window_view.h"
#include "app/run_activity.h"
#include "app/run_texts.h"

namespace varnel::app {

class LongWork {
 public:
  LongWork(MainWindowView& view, RunActivity& activity) : view_(view), activity_(activity) {}
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;

  // Runs work, which the activity hears of, and returns what it returns;
  // Run's caption says Stop until it is over.
  template <class Work>
  auto run(Work&& work);
  // True while work goes.
  bool going() const { return going_; }
  // Stop, or End with thenEnd: End asks first, since it ends Varnel too.
  // The work stops at its next question between two calls to PowerLogic.
  void askToStop(bool thenEnd);
  // True once the user chose to end Varnel when the work has stopped.
  bool endAsked() const { return endAsked_; }

 private:
  MainWindowView& view_;
  RunActivity& activity_;
  bool going_ = false;
  bool endAsked_ = false;
};

template <class Work>
auto LongWork::run(Work&& work) {
  // The scope ends the work the same way whether it returns or throws.
  struct Going {
    LongWork& w;
    explicit Going(LongWork& work) : w(work) {
      w.going_ = true;
      w.activity_.begin();
      w.view_.setText(Control::run, kStopCaption);
    }
    Going(const Going&) = delete;
    Going& operator=(const Going&) = delete;
    ~Going() {
      w.view_.setText(Control::run, layoutOf(Control::run)->caption);
      w.activity_.end();
      w.going_ = false;
    }
  } going(*this);
  return work();
}

}  // namespace varnel::app
