// naytaNimeamattomat: the report of designators a run left alone.
#include "engine/frm_ren_part.h"
#include "app/report_view.h"

namespace varnel {

namespace {

constexpr const char* kReportHeading =
    "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n";

}  // namespace

void frmRenPart::naytaNimeamattomat() {
  ui::ReportView& report = *platform_.report;
  // While the window stays open, later reports append below the earlier ones.
  std::string text = report.isOpen() ? report.text() : kReportHeading;
  for (int i = 0; i < NameTable::kCapacity && !ignoredNames[i].empty(); ++i)
    text += ignoredNames[i] + "\r\n";
  report.show(text);
}

}  // namespace varnel
