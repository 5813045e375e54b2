#include "app/ignored_report.h"

namespace varnel::app {

namespace {

constexpr const char* kReportHeading =
    "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n";

}  // namespace

std::string ignoredReport(const std::optional<std::string>& shown,
                          const std::vector<std::string>& names) {
  std::string text = shown ? *shown : kReportHeading;
  for (const std::string& name : names) text += name + "\r\n";
  return text;
}

}  // namespace varnel::app
