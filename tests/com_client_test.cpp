// The COM client against the stand-in PowerLogic registered in this process.
#include <gtest/gtest.h>

#include "eco/windows_1252.h"
#include "fixtures.h"
#include "standin/com/powerlogic_server.h"
#include "standin/com/powerpcb_server.h"
#include "standin/com/registration.h"
#include "standin/com/running_object.h"
#include "standin/com/strict_powerlogic_ids.h"
#include "standin/com/strict_powerlogic_server.h"
#include "standin/pcb_layout.h"
#include "temp_dir.h"
#include "win32/base/com_apartment.h"
#include "win32/com/com_error.h"
#include "win32/com/com_host_attacher.h"
#include "win32/com/com_pcb_connector.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/powerlogic_ids.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel {
namespace {

using tests::design;
using tests::words;

class ComClient : public testing::Test {
 protected:
  win::ComApartment apartment;
  std::shared_ptr<standin::MemoryHost> host =
      std::make_shared<standin::MemoryHost>(design("R5 R6* C1*"));
  win::ComPtr<IDispatch> served = standin::serveApplication(host);
  std::optional<standin::RunningObject> running;

  ComClient() {
    standin::registerProgId(win::kPowerLogicProgId, standin::kStandinPowerLogicClsid);
    running.emplace(served.get(), standin::kStandinPowerLogicClsid);
  }
};

TEST_F(ComClient, ReadsAndRenamesThroughIDispatch) {
  auto app = win::ComHostAttacher().attach();
  auto doc = app->ActiveDocument();
  EXPECT_EQ(doc->Name(), "test.sch");
  EXPECT_EQ(doc->Scopes()->Count(), 1);
  auto list = doc->CurrentScope()->FindObjects(1, "", 0);
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Item(2)->Name(), "R6");
  EXPECT_TRUE(list->Item(2)->Selected());
  EXPECT_EQ(list->Item(2)->Placements()->Item(1)->X(0), 20.0);
  EXPECT_TRUE(list->Item("R9").empty());
  list->Item("R5")->setName("R1");
  EXPECT_EQ(host->design().parts[0].designator, "R1");
}

TEST_F(ComClient, CarriesTheHostsErrorNumbersAndTexts) {
  auto list = win::ComHostAttacher().attach()->ActiveDocument()->Components();
  try {
    list->Item(1)->setName("R6");
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), base::errors::kDesignatorInUse);
    EXPECT_EQ(e.text(), "Reference designator R6 is already in use");
  }
  try {
    list->Item(9);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), standin::kBadIndex);
  }
  standin::MemoryHost none;
  auto empty = std::make_shared<standin::MemoryHost>();
  auto servedEmpty = standin::serveApplication(empty);
  running.reset();
  running.emplace(servedEmpty.get(), standin::kStandinPowerLogicClsid);
  try {
    win::ComHostAttacher().attach()->ActiveDocument();
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), base::errors::kNoDesign);
  }
}

TEST_F(ComClient, NotRunningIsError429) {
  running.reset();
  try {
    win::ComHostAttacher().attach();
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), 429);
  }
  try {
    win::attachRunning(L"NoSuch.Application");
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), 429);
  }
}

TEST_F(ComClient, DeliversOpenDocumentUntilUnsubscribed) {
  auto app = win::ComHostAttacher().attach();
  int opened = 0;
  {
    auto subscription = app->subscribe([&](host::HostEvent) { ++opened; });
    host->open(design("U1"));
    EXPECT_EQ(opened, 1);
  }
  host->open(design("U2"));
  EXPECT_EQ(opened, 1);
}

TEST_F(ComClient, RunsAWholeRenumberingThroughCom) {
  tests::CallLog journal;
  win::ComHostAttacher attacher;
  app::ProgressValues progress;
  tests::FakeReport report;
  tests::FakeSaveDialog dialog;
  tests::FakeFiles files{journal};
  tests::FakePcb pcb{journal, files};
  eco::Windows1252Encoder encoder;
  app::NoJournals journals;
  app::EcoDelivery delivery(dialog, pcb, files, encoder);
  app::PowerLogicLink link(attacher);
  app::RenumberingSession session(link, progress, report, delivery, journals);
  link.attach([](host::HostEvent) {});
  EXPECT_FALSE(session.run(app::renumbering(renumber::RunSettings{}, app::EcoOutput::none)).error);
  EXPECT_EQ(tests::designators(host->design()), words("R1 R2 C1"));
}

TEST_F(ComClient, PcbReadsAnEcoFileByName) {
  tests::TempDir dir;
  auto model = std::make_shared<standin::PcbModel>();
  model->layout = design("R5 R6");
  auto pcbServed = standin::servePcbApplication(model);
  standin::registerProgId(win::kPowerPcbProgId, standin::kStandinPowerPcbClsid);
  standin::RunningObject pcbRunning(pcbServed.get(), standin::kStandinPowerPcbClsid);
  const std::string eco = dir.write(
      "x.eco",
      "*PADS-ECO-V3.0-MILS*\r\n\r\n*RENPART*\r\n*REMARK*  AUTORENUMBER\r\nR5 R1\r\n*END*\r\n");
  auto layout = win::ComPcbConnector().attach()->ActiveDocument();
  layout->ReadEcoFile(eco);
  EXPECT_EQ(tests::designators(model->layout), words("R1 R6"));
  try {
    layout->ReadEcoFile(eco);  // R5 is gone now
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), standin::kEcoUnknownPart);
  }
}

// The strict stand-in served in this process: its type library, DISPIDs of
// its own per class, events through its own dispinterface.
class StrictComClient : public testing::Test {
 protected:
  win::ComApartment apartment;
  std::shared_ptr<standin::MemoryHost> host =
      std::make_shared<standin::MemoryHost>(design("R5 R6* C1*"));
  win::ComPtr<IDispatch> served = standin::serveStrictApplication(host);
  std::optional<standin::RunningObject> running;

  StrictComClient() {
    standin::registerProgId(win::kPowerLogicProgId, standin::kStrictApplicationClsid);
    running.emplace(served.get(), standin::kStrictApplicationClsid);
  }
  ~StrictComClient() override {
    running.reset();
    standin::registerProgId(win::kPowerLogicProgId, standin::kStandinPowerLogicClsid);
  }
};

TEST_F(StrictComClient, ASelectedRunCallsEachClassOfListByItsOwnDispids) {
  host->open(design("R5@10,0 R6@0,0* C1@0,0*"));
  tests::SessionFakes fakes;
  app::ProgressValues progress;
  win::ComHostAttacher attacher;
  app::PowerLogicLink link(attacher);
  app::RenumberingSession session(link, progress, fakes.report, fakes.delivery, fakes.journals);
  link.attach([](host::HostEvent) {});
  renumber::RunSettings settings;
  settings.scope = renumber::RunScope::selectedComponents;
  const auto outcome = session.run(app::renumbering(settings, app::EcoOutput::none));
  EXPECT_FALSE(outcome.error) << describe(*outcome.error);
  EXPECT_EQ(tests::designators(host->design()), words("R5 R1 C1"));
  EXPECT_TRUE(attacher.attach()->ActiveDocument()->Components()->Item("R9").empty())
      << "an unknown name gives Nothing";
}

TEST_F(StrictComClient, ReadsTheComponentsInChunksWhereTheListOffersAnEnumerator) {
  std::string parts;
  for (int i = 1; i <= 600; ++i) parts += "R" + std::to_string(i) + " ";
  host->open(design(parts));
  win::ComHostAttacher attacher;
  auto list = attacher.attach()->ActiveDocument()->Components();
  const auto before = attacher.roundTrips();
  auto read = list->readInOrder(600);
  for (int i = 1; i <= 600; ++i) ASSERT_EQ(read(i)->Name(), "R" + std::to_string(i));
  // _NewEnum, its IEnumVARIANT, three chunks; then one Name a component.
  EXPECT_EQ(attacher.roundTrips() - before, 2 + 3 + 600 + 1);
}

TEST_F(ComClient, ReadsTheComponentsOneByOneWhereTheListOffersNoEnumerator) {
  win::ComHostAttacher attacher;
  auto list = attacher.attach()->ActiveDocument()->Components();
  const auto before = attacher.roundTrips();
  auto read = list->readInOrder(3);
  for (int i = 1; i <= 3; ++i) read(i);
  auto again = list->readInOrder(3);
  // One failed _NewEnum (remembered for the class), then Item by position.
  EXPECT_EQ(attacher.roundTrips() - before, 1 + 1 + 3);
  EXPECT_EQ(again(3)->Name(), "C1");
}

TEST_F(StrictComClient, OpenDocumentIsKnownByNameAndOtherEventsAreLeftAlone) {
  auto app = win::ComHostAttacher().attach();
  std::vector<host::HostEvent> events;
  auto subscription = app->subscribe([&](host::HostEvent e) { events.push_back(e); });
  host->setSelected(1, true);  // SelectionChanged, DISPID 1
  EXPECT_TRUE(events.empty());
  host->open(design("U1"));  // OpenDocument, DISPID 2
  EXPECT_EQ(events, std::vector<host::HostEvent>{host::HostEvent::designOpened});
}

TEST_F(StrictComClient, AClosedDesignsDocumentIsLetGoAndAnEmptyOneMeansNoDesign) {
  auto app = win::ComHostAttacher().attach();
  auto old = app->ActiveDocument();
  auto other = design("U1");
  other.name = "other.sch";
  host->open(other);
  try {
    old->Name();
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), 0x80010108) << e.text();
  }
  EXPECT_EQ(app->ActiveDocument()->Name(), "other.sch");
  auto none = std::make_shared<standin::MemoryHost>();
  auto servedNone = standin::serveStrictApplication(none);
  running.reset();
  running.emplace(servedNone.get(), standin::kStrictApplicationClsid);
  EXPECT_TRUE(win::ComHostAttacher().attach()->ActiveDocument().empty());
}

}  // namespace
}  // namespace varnel
