// The COM client against the stand-in PowerLogic registered in this process.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "standin/com/powerlogic_server.h"
#include "standin/com/powerpcb_server.h"
#include "standin/com/registration.h"
#include "standin/pcb_layout.h"
#include "temp_dir.h"
#include "win32/com/com_host.h"
#include "win32/com/dispatch.h"
#include "win32/com/powerlogic_ids.h"

namespace varnel {
namespace {

using testing::design;
using testing::words;

class ComClient : public ::testing::Test {
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
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), standin::kDesignatorInUse);
    EXPECT_EQ(e.text(), "Reference designator R6 is already in use");
  }
  try {
    list->Item(9);
    FAIL();
  } catch (const Error& e) {
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
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errors::kNoDesign);
  }
}

TEST_F(ComClient, NotRunningIsError429) {
  running.reset();
  try {
    win::ComHostAttacher().attach();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 429);
  }
  try {
    win::attachRunning(L"NoSuch.Application");
    FAIL();
  } catch (const Error& e) {
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
  testing::Journal journal;
  win::ComHostAttacher attacher;
  ui::ProgressValues progress;
  testing::FakeReport report;
  testing::FakeSaveDialog dialog;
  testing::FakeFiles files{journal};
  testing::FakePcb pcb{journal, files};
  eco::Windows1252Encoder encoder;
  app::NoJournals journals;
  app::RenumberingSession session(attacher, progress, report, dialog, pcb, files, encoder,
                                  journals);
  session.attach([](host::HostEvent) {});
  EXPECT_FALSE(session.run(RunSettings{}).error);
  EXPECT_EQ(testing::designators(host->design()), words("R1 R2 C1"));
}

TEST_F(ComClient, PcbReadsAnEcoFileByName) {
  testing::TempDir dir;
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
  EXPECT_EQ(testing::designators(model->layout), words("R1 R6"));
  try {
    layout->ReadEcoFile(eco);  // R5 is gone now
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), standin::kEcoUnknownPart);
  }
}

}  // namespace
}  // namespace varnel
