// The run's progress bar.
#include "engine/frm_ren_part.h"
#include "app/run_options.h"

namespace varnel {

void frmRenPart::AlustaProgressBar() {
  ui::ProgressDisplay& bar = *platform_.progress;
  bar.setMin(0);
  if (platform_.options->optSelected()) {
    const Int16 n = HowManySelected();
    bar.setMax(n <= 1 ? 1.0f : static_cast<float>(n - 1));
  }
  if (platform_.options->optStart()) bar.setMax(static_cast<float>(partList->Count()) - 1);
}

void frmRenPart::progressStep() {
  ui::ProgressDisplay& bar = *platform_.progress;
  if (bar.value() != bar.max()) bar.setValue(bar.value() + 1);
}

void frmRenPart::progressReset() {
  platform_.progress->setValue(0);
}

}  // namespace varnel
