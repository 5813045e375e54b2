#include "app/journal.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace varnel::app {

namespace {

constexpr const char* kMagic = "varnel-journal 3";
// These versions are read besides the one that is written.
constexpr const char* kEarlierMagics[] = {"varnel-journal 1", "varnel-journal 2"};
// How an undo's settings begin, in every journal.
constexpr std::string_view kUndoSettings = "--undo ";

// Blanks too, unless keepBlanks: a text at the end of its line may hold them.
std::string escaped(std::string_view text, bool keepBlanks = false) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F || c == '%' || (c == ' ' && !keepBlanks)) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", c);
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

base::Error notAJournal(int line, const std::string& why) {
  return base::Error(base::errors::kNotAJournal,
                     "Not a Varnel journal: line " + std::to_string(line) + ": " + why);
}

std::string unescaped(std::string_view text, int line) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
    const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
    if (high < 0 || low < 0) throw notAJournal(line, "a broken %XX code");
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

// The words of a line split on single blanks.
std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string word; std::getline(in, word, ' ');) out.push_back(word);
  return out;
}

}  // namespace

namespace {

std::string ecoRecord(EcoOutput eco, const std::string& file) {
  switch (eco) {
    case EcoOutput::writeOnly:
      return "eco write-only " + escaped(file) + "\n";
    case EcoOutput::forceReadInPcb:
      return "eco force-read " + escaped(file) + "\n";
    default:
      return "eco none\n";
  }
}

std::string renameWords(const model::Rename& rename) {
  return std::to_string(rename.position) + " " + escaped(rename.from) + " " + escaped(rename.to) +
         "\n";
}

}  // namespace

std::string journalHead(const JournalHead& head) {
  std::string text = std::string(kMagic) + "\ndesign " + escaped(head.design) + "\nstarted " +
                     head.started + "\nsettings " + head.settings + "\n";
  if (!head.undoOf.empty()) text += "undo-of " + escaped(head.undoOf) + "\n";
  text += ecoRecord(head.eco, head.ecoFile);
  text += "planned " + std::to_string(head.plan.size()) + "\n";
  for (const model::Rename& rename : head.plan) text += "plan " + renameWords(rename);
  return text;
}

std::string journalRename(const model::Rename& rename) {
  return "rename " + renameWords(rename);
}

std::string journalCompleted() {
  return "completed\n";
}

std::string journalFailed(const base::Error& error) {
  return "failed " + base::formatErrorNumber(error.number()) + " " +
         escaped(error.text(), /*keepBlanks=*/true) + "\n";
}

std::string journalUndoneBy(const std::string& file) {
  return "undone-by " + escaped(file) + "\n";
}

std::string journalRecovered(const std::string& choice) {
  return "recovered " + choice + "\n";
}

std::string journalDelivering() {
  return "delivering\n";
}

std::string journalDelivered() {
  return "delivered\n";
}

std::string journalUndelivered() {
  return "undelivered\n";
}

namespace {

model::Rename renameOf(const std::vector<std::string>& w, int number) {
  const long long position = std::strtoll(w[1].c_str(), nullptr, 10);
  if (position < 1 || position > INT32_MAX)
    throw notAJournal(number, "a rename without its position");
  return {static_cast<std::int32_t>(position), unescaped(w[2], number), unescaped(w[3], number)};
}

void readEco(Journal& journal, const std::vector<std::string>& w, int number) {
  if (w[1] == "none") return;
  if (w.size() != 3 || (w[1] != "write-only" && w[1] != "force-read"))
    throw notAJournal(number, "an eco record of no known kind");
  journal.eco = w[1] == "write-only" ? EcoOutput::writeOnly : EcoOutput::forceReadInPcb;
  journal.ecoFile = unescaped(w[2], number);
}

// One of the records a run writes before its first rename into journal;
// false for a record of another kind.
bool readHeadRecord(Journal& journal, const std::vector<std::string>& w, const std::string& rest,
                    int number) {
  const std::string& kind = w[0];
  if (kind == "design") {
    journal.design = unescaped(rest, number);
  } else if (kind == "started") {
    journal.started = rest;
  } else if (kind == "settings") {
    journal.settings = rest;
  } else if (kind == "undo-of") {
    journal.undoOf = unescaped(rest, number);
  } else if (kind == "planned" && w.size() == 2) {
    journal.planned = std::strtoul(w[1].c_str(), nullptr, 10);
  } else if (kind == "rename" && w.size() == 4) {
    journal.renames.push_back(renameOf(w, number));
  } else if (kind == "plan" && w.size() == 4) {
    journal.plan.push_back(renameOf(w, number));
  } else if (kind == "eco" && w.size() >= 2) {
    readEco(journal, w, number);
  } else {
    return false;
  }
  return true;
}

// One record into journal; error 1004 for a record of no known kind.
void readRecord(Journal& journal, const std::string& line, int number) {
  const auto w = words(line);
  if (w.empty()) return;
  const std::string& kind = w[0];
  const std::string rest = line.size() > kind.size() ? line.substr(kind.size() + 1) : "";
  if (readHeadRecord(journal, w, rest, number)) return;
  if (kind == "recovered" && w.size() == 2) {
    journal.recovered = w[1];
  } else if (kind == "delivering" && w.size() == 1) {
    journal.deliveryBegun = true;
  } else if (kind == "delivered" && w.size() == 1) {
    journal.delivered = true;
  } else if (kind == "undelivered" && w.size() == 1) {
    journal.deliveryLeft = true;
  } else if (kind == "completed") {
    journal.end = Journal::End::completed;
  } else if (kind == "failed" && w.size() >= 2) {
    journal.end = Journal::End::failed;
    journal.failureNumber = std::strtoll(w[1].c_str(), nullptr, 0);
    journal.failureText = unescaped(w.size() > 2 ? line.substr(8 + w[1].size()) : "", number);
  } else if (kind == "undone-by") {
    journal.undoneBy.push_back(unescaped(rest, number));
  } else {
    throw notAJournal(number, "unknown record '" + kind + "'");
  }
}

int versionOf(const std::string& firstLine) {
  if (firstLine == kMagic) return 3;
  for (int k = 0; k < 2; ++k)
    if (firstLine == kEarlierMagics[k]) return k + 1;
  throw notAJournal(1, "it does not begin with \"varnel-journal 3\" (or 2, or 1)");
}

}  // namespace

Journal parseJournal(std::string_view text) {
  Journal journal;
  // A last line without its line end is a record cut short by Varnel's end.
  const std::size_t end = text.rfind('\n');
  text = end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0;
  auto next = [&] {
    const bool got = static_cast<bool>(std::getline(in, line));
    if (got && !line.empty() && line.back() == '\r') line.pop_back();
    ++number;
    return got;
  };
  if (!next()) throw notAJournal(1, "it is empty");
  journal.version = versionOf(line);
  while (next()) readRecord(journal, line, number);
  if (journal.undoOf.empty() && journal.settings.starts_with(kUndoSettings))
    journal.undoOf = journal.settings.substr(kUndoSettings.size());
  return journal;
}

}  // namespace varnel::app
