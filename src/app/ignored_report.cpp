// The report of designators a run left alone.
#include "app/renumbering_session.h"

namespace varnel::app {

namespace {

constexpr const char* kReportHeading =
    "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n";

}  // namespace

void RenumberingSession::showIgnored(const std::vector<std::string>& names) {
  // While the window stays open, later reports append below the earlier ones.
  std::string text = report_.isOpen() ? report_.text() : kReportHeading;
  for (const std::string& name : names) text += name + "\r\n";
  report_.show(text);
}

}  // namespace varnel::app
