#include "app/run_description.h"

#include <cstdio>
#include <ctime>
#include <sstream>
#include <vector>

namespace varnel::app {

namespace {

// Days since 1970-01-01 of a date of the Gregorian calendar.
long long daysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// The parts are copied at once from the runtime's buffer, which only the
// user interface's thread ever asks for.
std::tm localTm(std::time_t when) {
  return *std::localtime(&when);
}

// The words of an option, or nothing for one the window has no words for.
const char* wordsOf(const std::string& option) {
  if (option == "--all") return "Rename all components";
  if (option == "--selected") return "Rename selected components";
  if (option == "--assign") return "assign next free names";
  if (option == "--duplicates") return "rename duplicates";
  if (option == "--keep-right") return "keep names that are already right";
  return nullptr;
}

std::string ecoWords(const std::string& kind) {
  if (kind == "force-read") return "write and force read in PCB";
  if (kind == "write-only") return "write ECO file only";
  return "ECO file " + kind;
}

}  // namespace

std::string localTime(const std::string& utcStamp) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char zone = 0;
  if (std::sscanf(utcStamp.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &year, &month, &day, &hour,
                  &minute, &second, &zone) != 7 ||
      zone != 'Z' || month < 1 || month > 12 || day < 1 || day > 31)
    return utcStamp;
  const long long seconds =
      daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  const std::tm local = localTm(static_cast<std::time_t>(seconds));
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

std::string timeOfDayNow() {
  const std::tm local = localTm(std::time(nullptr));
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

std::string settingsInWords(const std::string& settings) {
  std::istringstream in(settings);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  std::string said;
  auto say = [&](const std::string& part) { said += (said.empty() ? "" : ", ") + part; };
  for (std::size_t k = 0; k < words.size(); ++k) {
    const std::string& word = words[k];
    const bool valued = k + 1 < words.size();
    if (const char* plain = wordsOf(word))
      say(plain);
    else if (word == "--start" && valued)
      say("start " + words[++k]);
    else if (word == "--eco" && valued)
      say(ecoWords(words[++k]));
    else
      said += (said.empty() ? "" : " ") + word;  // kept as it stands
  }
  return said;
}

std::string runInWords(const Journal& journal) {
  const std::size_t renames = journal.renames.size();
  return settingsInWords(journal.settings) + ", started " + localTime(journal.started) + ", " +
         std::to_string(renames) + (renames == 1 ? " rename" : " renames");
}

}  // namespace varnel::app
