// The command line's whole output, frozen: for the demo board over every
// option combination and four start numbers, and for 300 generated designs,
// its stdout, stderr with --stats (host calls and their order), exit status,
// the --out design and the --eco bytes. Any change of behaviour shows here.
// VARNEL_UPDATE_GOLDENS=1 writes the files anew instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "standin/design_file.h"
#include "standin/memory_designs.h"
#include "temp_dir.h"

namespace varnel {
namespace {

using tests::TempDir;

// The same numbers on every platform (unlike the standard distributions).
class Lcg {
 public:
  explicit Lcg(std::uint64_t seed) : state_(seed * 2654435761u + 1) {}
  int below(int n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(n));
  }

 private:
  std::uint64_t state_;
};

// Every line behind "| ", with carriage returns shown as \r.
std::string quoted(const std::string& text) {
  std::string out;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::string shown;
    for (char c : line) shown += c == '\r' ? std::string("\\r") : std::string(1, c);
    out += "| " + shown + "\n";
  }
  if (!text.empty() && text.back() != '\n') out += "(no final line end)\n";
  return out;
}

const std::vector<std::vector<std::string>> kModes = {
    {"--all"}, {"--selected", "--assign"}, {"--selected", "--duplicates"}};

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

// One run of the command line, as the golden file shows it.
std::string runCase(const std::string& name, const std::string& design,
                    const std::vector<std::string>& options, bool eco) {
  TempDir dir;
  std::vector<std::string> args{design};
  args.insert(args.end(), options.begin(), options.end());
  args.insert(args.end(), {"--out", dir.file("out.design"), "--stats"});
  if (eco) args.insert(args.end(), {"--eco", dir.file("run.eco")});
  std::ostringstream out, err;
  const int status = standin::runOffline(args, out, err);
  std::string text = "=== " + name + ": " + joined(options) + (eco ? " --eco" : "") + "\n";
  text += "status " + std::to_string(status) + "\nstdout\n" + quoted(out.str());
  text += "stderr\n" + quoted(err.str());
  if (std::filesystem::exists(dir.file("out.design")))
    text += "out\n" + quoted(TempDir::read(dir.file("out.design")));
  if (std::filesystem::exists(dir.file("run.eco")))
    text += "eco\n" + quoted(TempDir::read(dir.file("run.eco")));
  return text;
}

std::string demoBoardCases() {
  const std::string board = VARNEL_SOURCE_DIR "/scripts/demo/board.design";
  std::string all;
  for (const auto& mode : kModes)
    for (bool eco : {false, true})
      for (const char* start : {"1", "5", "-3", "32767"}) {
        auto options = mode;
        options.insert(options.end(), {"--start", start});
        all += runCase("board", board, options, eco);
      }
  return all;
}

standin::DesignData generatedDesign(int index) {
  Lcg random(static_cast<std::uint64_t>(index) + 1);
  static const char* kPrefixes[] = {"R", "C", "U", "IC", "TP", "FB", "Q"};
  standin::DesignData design{
      "gen" + std::to_string(index) + ".sch", random.below(8) == 0 ? 2 : 1, {}};
  const int size = index % 50 == 49 ? 0 : 1 + random.below(index % 10 == 9 ? 120 : 30);
  std::vector<std::string> used;
  while (static_cast<int>(design.parts.size()) < size) {
    std::string name = kPrefixes[random.below(random.below(3) == 0 ? 7 : 3)];
    const int kind = random.below(40);
    if (kind == 0)
      name += "";  // letters only
    else if (kind == 1 && index % 20 == 7)
      name = "r" + std::to_string(random.below(9));
    else if (kind == 2)
      name += "0" + std::to_string(random.below(9));
    else
      name += std::to_string(random.below(size * 2 + 4) - 3);
    if (random.below(12) == 0) name += "A";
    if (std::find(used.begin(), used.end(), name) != used.end()) continue;
    used.push_back(name);
    design.parts.push_back({name, random.below(6) * 100.0 + random.below(2) * 0.5,
                            random.below(5) * 100.0, random.below(3) == 0});
  }
  return design;
}

std::string generatedCases() {
  TempDir dir;
  std::string all;
  static const char* kStarts[] = {"1", "5", "-3", "10", "1", "32767", "2"};
  for (int i = 0; i < 300; ++i) {
    const std::string file = dir.file("gen" + std::to_string(i) + ".design");
    standin::saveDesignFile(generatedDesign(i), file);
    auto options = kModes[i % 3];
    options.insert(options.end(), {"--start", kStarts[(i / 6) % 7]});
    all += runCase("gen" + std::to_string(i), file, options, (i / 3) % 2 == 1);
  }
  return all;
}

// The first case whose text differs, with both texts.
void expectSameCases(const std::string& golden, const std::string& now) {
  auto split = [](const std::string& text) {
    std::vector<std::string> cases;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("=== ", 0) == 0 || cases.empty()) cases.emplace_back();
      cases.back() += line + "\n";
    }
    return cases;
  };
  const auto expected = split(golden), actual = split(now);
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t k = 0; k < expected.size(); ++k)
    ASSERT_EQ(actual[k], expected[k]) << "case " << k;
}

void compareWithGolden(const std::string& file, const std::string& now) {
  const std::string path = VARNEL_SOURCE_DIR "/tests/golden/" + file;
  if (std::getenv("VARNEL_UPDATE_GOLDENS")) {
    std::ofstream(path, std::ios::binary) << now;
    GTEST_SKIP() << "wrote " << path;
  }
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  expectSameCases(TempDir::read(path), now);
}

TEST(Golden, TheDemoBoardOverEveryOptionCombination) {
  compareWithGolden("demo_board.txt", demoBoardCases());
}

TEST(Golden, ThreeHundredGeneratedDesigns) {
  compareWithGolden("generated.txt", generatedCases());
}

}  // namespace
}  // namespace varnel
