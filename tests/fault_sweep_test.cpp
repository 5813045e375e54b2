// Every host call of a run made to fail in turn, once or for good: no two
// parts ever share a name, every rename the design underwent reaches the ECO
// file in order (or the message, where no file could be written), the error
// is reported, and the run state is reset, ready for the next run.
#include <gtest/gtest.h>

#include <set>

#include "fixtures.h"
#include "standin/eco_reader.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;

struct Scenario {
  const char* label;
  const char* parts;
  int mode;
  bool duplicates;
  bool forcedRead;
  friend void PrintTo(const Scenario& s, std::ostream* os) { *os << s.label; }
};

void configure(Engine& e, const Scenario& s) {
  e.options.send = true;
  e.options.ecoOnly = !s.forcedRead;
  e.options.direct = s.forcedRead;
  e.options.duplicate = s.duplicates;
  e.dialog.answer = "/out/run.eco";
}

std::vector<std::string> renamesOf(const standin::MemoryHost& host) {
  std::vector<std::string> out;
  for (const auto& r : host.renames()) out.push_back(r.from + " " + r.to);
  return out;
}

// The renames an ECO file holds, in order.
std::vector<std::string> renamesIn(const std::string& eco) {
  std::vector<std::string> out;
  for (const auto& section : standin::readEco(eco))
    for (const auto& r : section) out.push_back(r.from + " " + r.to);
  return out;
}

std::optional<std::string> ecoWritten(const Engine& e) {
  if (!e.pcb.filesRead.empty()) return e.pcb.filesRead.back();
  for (const auto& [path, content] : e.files.files) return content;
  return std::nullopt;
}

class FaultSweep : public testing::TestWithParam<Scenario> {};

TEST_P(FaultSweep, SurvivesAFailureAtEveryHostCall) {
  const Scenario& s = GetParam();
  std::int64_t calls = 0;
  {
    Engine clean(design(s.parts));
    configure(clean, s);
    clean.host->resetCounts();
    ASSERT_FALSE(clean.run(s.mode));
    calls = clean.host->totalCalls();
    ASSERT_FALSE(clean.host->renames().empty());
  }
  int checked = 0;
  for (bool persistent : {false, true}) {
    for (std::int64_t k = 1; k <= calls; ++k) {
      SCOPED_TRACE("call " + std::to_string(k) + (persistent ? ", for good" : ", once"));
      Engine e(design(s.parts));
      configure(e, s);
      e.host->failCall(k, base::Error(0x800706BE, "The remote procedure call failed"), persistent);
      const auto error = e.run(s.mode);
      ASSERT_TRUE(error) << "the failure was not reported";
      e.host->clearFault();

      const auto names = e.names();
      EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
      const auto renames = renamesOf(*e.host);
      if (const auto eco = ecoWritten(e)) {
        EXPECT_EQ(renamesIn(*eco), renames);
      } else {
        std::size_t at = 0;
        for (const auto& line : renames) {
          at = error->text().find(line + "\n", at);
          ASSERT_NE(at, std::string::npos) << "rename " << line << " not shown: " << error->text();
        }
      }
      EXPECT_EQ(e.progress.current, 0);

      e.files.files.clear();
      EXPECT_FALSE(e.run(s.mode)) << "cannot run again";
      const auto after = e.names();
      EXPECT_EQ(std::set<std::string>(after.begin(), after.end()).size(), after.size());
      ++checked;
    }
  }
  RecordProperty("faults", checked);
  EXPECT_EQ(checked, 2 * calls);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FaultSweep,
    testing::Values(Scenario{"AllWithMovesWriteOnly", "R5 R6 C1 R1 TP U1A C7", 0, false, false},
                    Scenario{"AllWithMovesForcedRead", "R5 R6 C1 R1 TP U1A C7", 0, false, true},
                    Scenario{"SelectedAssign", "R1 R2 C1 R3 R5@0,0* R9@10,0* C4*", 1, false, false},
                    Scenario{"SelectedDuplicatesForcedRead", "R2@0,0* R1@10,0* R3 C2* C1", 1, true,
                             true}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace varnel
