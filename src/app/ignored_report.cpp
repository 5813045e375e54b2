#include "app/ignored_report.h"

namespace varnel::app {

namespace {

constexpr const char* kReportHeading =
    "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n";

}  // namespace

std::string ignoredReport(const std::optional<std::string>& shown,
                          const std::vector<std::string>& names,
                          const std::vector<renumber::Unnamable>& unnamable,
                          const std::string& runTime) {
  std::string text = shown ? *shown : kReportHeading;
  if (shown && !runTime.empty()) text += "\r\nThe run at " + runTime + ":\r\n";
  for (const std::string& name : names) text += name + "\r\n";
  for (const renumber::Unnamable& component : unnamable) text += unnamableNote(component) + "\r\n";
  return text;
}

std::string unnamableNote(const renumber::Unnamable& component) {
  if (component.designator.empty())
    return "the component at position " + std::to_string(component.position) + " has no designator";
  return component.designator + " does not begin with a capital letter (A-Z)";
}

}  // namespace varnel::app
