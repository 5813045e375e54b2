// PowerLogic's events as the window's logic takes them: posted by the COM
// callback, handled once the work in progress has returned; events whose
// meaning the host does not say; a host that cannot be subscribed to.
#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "app/progress_display.h"
#include "fixtures.h"
#include "presenter_fakes.h"

namespace varnel {
namespace {

using app::Control;
using tests::design;

// PowerLogic as a host of another kind shows it: every event without its
// meaning (no type information), or no events at all (no connection point).
struct HostOfUnknownEvents final : host::Application {
  HostOfUnknownEvents(std::shared_ptr<standin::MemoryHost> h, bool canSubscribe)
      : host(std::move(h)), subscribable(canSubscribe) {}
  std::shared_ptr<standin::MemoryHost> host;
  bool subscribable;
  host::Ref<host::Document> ActiveDocument() override { return host->ActiveDocument(); }
  void Prepare() override { host->Prepare(); }
  host::Subscription subscribe(std::function<void(host::HostEvent)> handler) override {
    if (!subscribable) throw base::Error(0x80040202, "Advise failed");
    auto unknown = [handler] { handler(host::HostEvent::unknown); };
    auto opened = std::make_shared<host::Subscription>(host->onOpenDocument(unknown));
    auto selected = std::make_shared<host::Subscription>(host->onSelectionChanged(unknown));
    return host::Subscription([opened, selected] {
      opened->reset();
      selected->reset();
    });
  }
};

struct WindowLogic : tests::PresenterFakes {
  // app: what PowerLogic looks like to Varnel, made from the host in memory.
  using AppOf = std::function<std::shared_ptr<host::Application>(
      const std::shared_ptr<standin::MemoryHost>&)>;
  explicit WindowLogic(const std::string& parts, const AppOf& app = {})
      : PresenterFakes(std::make_shared<standin::MemoryHost>(design(parts))) {
    attacher.app = app ? app(host) : host;
    journals.keep = true;
    presenter.onLoad();
  }
  void openOther(const std::string& parts, const std::string& name) {
    auto other = design(parts);
    other.name = name;
    host->open(other);
  }
};

TEST(HostEvents, AnOpenedDesignWaitsUntilAPreviewOrAnUndoHasReturned) {
  WindowLogic w("R5 R6");
  w.presenter.onClick(Control::allComponents);
  w.preview.whileShowing = [&] {
    w.openOther("C4", "other.sch");
    w.pump();  // as a modal loop inside a call to PowerLogic would
    EXPECT_EQ(w.view.title, "Varnel test.sch") << "not under the feet of the preview";
  };
  w.presenter.onPreview();
  EXPECT_EQ(w.view.title, "Varnel other.sch");
  EXPECT_EQ(w.link.firstComponentName(), "C4");

  w.presenter.onClick(Control::allComponents);
  w.preview.whileShowing = {};
  w.presenter.onRun();
  ASSERT_EQ(tests::designators(w.host->design()), tests::words("C1"));
  w.preview.whileShowing = [&] {
    w.openOther("U3", "third.sch");
    w.pump();
    EXPECT_EQ(w.view.title, "Varnel other.sch") << "not under the feet of the undo";
  };
  w.presenter.onUndo();
  ASSERT_EQ(w.preview.shown.size(), 2u);
  EXPECT_EQ(w.preview.shown[1].title, "Undo");
  EXPECT_EQ(w.view.title, "Varnel third.sch");
}

TEST(HostEvents, AnEventOfUnknownMeaningTakesTheDesignOnlyWhenAnotherIsOpen) {
  WindowLogic w("R5 R6",
                [](const auto& host) { return std::make_shared<HostOfUnknownEvents>(host, true); });
  ASSERT_EQ(w.view.title, "Varnel test.sch");
  w.presenter.onClick(Control::allComponents);
  w.host->setSelected(1, true);
  w.pump();
  EXPECT_TRUE(w.view.checked(Control::allComponents)) << "the same design: nothing taken";
  w.openOther("C1", "other.sch");
  w.pump();
  EXPECT_EQ(w.view.title, "Varnel other.sch");
  EXPECT_FALSE(w.view.checked(Control::allComponents));
}

TEST(HostEvents, WithoutEventsTheOpenDesignIsComparedBeforeEachRun) {
  WindowLogic w(
      "R5 R6", [](const auto& host) { return std::make_shared<HostOfUnknownEvents>(host, false); });
  EXPECT_TRUE(w.view.messages.empty()) << "a failed subscription is not \"no design\"";
  EXPECT_FALSE(w.view.ended);
  EXPECT_FALSE(w.link.subscribed());

  w.openOther("C7 C9", "other.sch");
  w.view.select(Control::allComponents);
  w.presenter.onRun();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text,
            "Another design is open in PowerLogic. Varnel now works on the design other.sch; "
            "nothing was renamed.");
  EXPECT_EQ(w.view.title, "Varnel other.sch");
  EXPECT_TRUE(w.host->renames().empty());

  w.view.select(Control::allComponents);
  w.presenter.onRun();
  EXPECT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(tests::designators(w.host->design()), tests::words("C1 C2"));
}

TEST(HostEvents, AnEmptyActiveDocumentIsNoDesignLoaded) {
  struct NoDocument final : host::Application {
    host::Ref<host::Document> ActiveDocument() override { return {}; }
    void Prepare() override {}
    host::Subscription subscribe(std::function<void(host::HostEvent)>) override { return {}; }
  };
  WindowLogic w("R1", [](const auto&) { return std::make_shared<NoDocument>(); });
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages[0].text, "You must load a project before running Varnel");
  EXPECT_TRUE(w.view.ended);
}

}  // namespace
}  // namespace varnel
