#include "app/run_activity.h"

namespace varnel::app {

RunActivity& quietActivity() {
  static QuietActivity quiet;
  return quiet;
}

std::string readingText(std::int64_t done, std::int64_t total) {
  if (total <= 0) return "Reading the design\u2026";
  if (done <= 0) return "Reading " + std::to_string(total) + " components\u2026";
  return "Reading: " + std::to_string(done) + " of " + std::to_string(total) + " components\u2026";
}

std::string renamingText(std::int64_t done, std::int64_t total, std::int64_t secondsLeft) {
  std::string text = "Renaming: " + std::to_string(done) + " of " + std::to_string(total);
  if (secondsLeft < 0) return text;
  if (secondsLeft < 60) return text + ", about " + std::to_string(secondsLeft) + " s left";
  return text + ", about " + std::to_string((secondsLeft + 30) / 60) + " min left";
}

}  // namespace varnel::app
