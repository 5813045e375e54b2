#include "app/preview_flow.h"

#include "app/run_description.h"

namespace varnel::app {

void PreviewFlow::show(const RunRequest& request) {
  const PlannedRun planned = work_.run([&] { return session_.plan(request); });
  if (planned.error) return errors_.showPlanError(*planned.error);
  previewed_ = Previewed{request, planned.plan.renames, planned};
  showPlanned(planned, request);
}

void PreviewFlow::rowChecked(const std::string& component, bool checked) {
  changeRules([&](renumber::NumberingRules& rules) {
    if (checked)
      rules.lockedForRun.erase(component);
    else
      rules.lockedForRun.insert(component);
  });
}

void PreviewFlow::rulesChanged(const renumber::NumberingRules& rules) {
  changeRules([&](renumber::NumberingRules& shown) {
    const auto forRun = shown.lockedForRun;
    shown = rules;
    shown.lockedForRun = forRun;
  });
}

// A renumbering shown is worked out again with its rules changed by change;
// an undo shown has no rules to change.
void PreviewFlow::changeRules(const std::function<void(renumber::NumberingRules&)>& change) {
  if (!previewed_ || !previewed_->request.renumbering()) return;
  RunRequest request = previewed_->request;
  change(request.renumbering()->settings.rules);
  showAgain(std::move(request));
}

// The plan shown is worked out again for request; a refusal is shown and
// the preview stays as it was.
void PreviewFlow::showAgain(RunRequest request) {
  const PlannedRun planned = session_.planAgain(previewed_->planned, request);
  if (planned.error) {
    showPlanned(previewed_->planned, previewed_->request);
    return errors_.show(*planned.error);
  }
  previewed_ = Previewed{std::move(request), planned.plan.renames, planned};
  showPlanned(planned, previewed_->request);
}

void PreviewFlow::showPlanned(const PlannedRun& planned, const RunRequest& request) {
  const Renumbering* renumbering = request.renumbering();
  Preview preview =
      renumbering ? previewOf(planned.design, planned.plan, "Preview", &renumbering->settings.rules,
                              planned.board ? &*planned.board : nullptr)
                  : previewOf(planned.design, planned.plan, "Undo");
  if (planned.layoutMissing) preview.note = layoutMissingNote(*planned.layoutMissing);
  if (const JournalRun* run = request.journalRun())
    preview.rules = "Takes back: " + runInWords(run->journal) + ".";
  preview_.showPreview(preview);
}

std::optional<RunRequest> PreviewFlow::toMake() {
  if (!previewed_) return std::nullopt;
  const Previewed previewed = *previewed_;
  const PlannedRun planned = work_.run([&] { return session_.plan(previewed.request); });
  if (planned.error) {
    errors_.showPlanError(*planned.error);
    return std::nullopt;
  }
  if (planned.plan.renames != previewed.renames) {
    // The user must see what will happen before it happens.
    previewed_->renames = planned.plan.renames;
    previewed_->planned = planned;
    showPlanned(planned, previewed.request);
    view_.showMessage(
        "The design changed since the preview was made. This is the plan for it "
        "now; press Rename again to make it.",
        "", MessageIcon::information);
    return std::nullopt;
  }
  previewed_.reset();
  preview_.closePreview();
  return previewed.request;
}

}  // namespace varnel::app
