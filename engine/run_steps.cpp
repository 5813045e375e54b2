// The renumbering algorithm: set-up and steps. StartFrom runs it first on an
// in-memory copy of the design, so everything here may fail before any rename
// of the real design.
#include "model/designator.h"
#include "engine/frm_ren_part.h"
#include "app/run_options.h"

namespace varnel {

Int16 frmRenPart::startNumber() {
  const auto number = designator::parseStartNumber(platform_.options->txtStart());
  if (!number) throw Error(13, "Type mismatch: the start number is not a whole number");
  return *number;
}

void frmRenPart::runSteps(Int16 mode, const std::function<void()>& afterStep) {
  ui::RunOptions& options = *platform_.options;
  bool firstStep = true;
  bool runEnabled = true;
  position = 1;
  forgetSeen();
  tallennakaikki();
  if (!options.optSelected()) {
    SiirraTielta();
    tallennakaikki();
  }
  TalletaSelected();
  if (selectedNames.empty() && !options.optStart()) runEnabled = false;
  partList = chooseComponentList();
  if (runEnabled) AlustaProgressBar();
  const Int16 lastPosition = toInt16(partList->Count());
  if (!runEnabled) return;

  while (position <= lastPosition) {
    previousPart = currentPart;
    fetchStepComponent(mode, firstStep);
    if (firstStep)
      numberOffset = 0;  // nothing before the run shares the count
    else if (GetCode(previousPart->Name()) != GetCode(currentName))
      numberOffset = 0;
    firstStep = false;
    if (mode == 0)
      handleModeZero();
    else
      handleModeOne();
    // A full selection has no empty entry behind it: past the table is used up too.
    if (options.optSelected() &&
        (selectedDone >= NameTable::kCapacity || selectedNames[selectedDone].empty()))
      position = add16(lastPosition, 1);
    progressStep();
    position = add16(position, 1);
    afterStep();
  }
}

void frmRenPart::fetchStepComponent(Int16 mode, bool firstStep) {
  if (mode == 0) {
    currentPart = partList->Item(allNames[position - 1]);
  } else {
    partList = chooseComponentList();
    if (firstStep) SortByCoord();
    currentPart = partList->Item(sortedNames[position - 1].name);
  }
  currentName = currentPart->Name();
}

void frmRenPart::ignoreCurrent() {
  ignoredNames.set(ignoredCount, currentName);
  ignoredCount = add16(ignoredCount, 1);
}

void frmRenPart::handleModeZero() {
  if (OnkoPelkkiaKirjaimia(currentName)) {
    numberOffset = add16(numberOffset, 1);
    ignoreCurrent();
    return;
  }
  const std::string wanted = renPrt(currentName, add16(startNumber(), numberOffset));
  // A prefix whose parts are not adjacent restarts its count: never reuse a name.
  const std::string target = firstFreeDesignator(wanted, currentName);
  if (target != currentName) renameRecorded(*currentPart, currentName, target);
  numberOffset = add16(numberOffset, 1);
}

void frmRenPart::handleModeOne() {
  ui::RunOptions& options = *platform_.options;
  if (OnkoPelkkiaKirjaimia(currentName)) {
    numberOffset = add16(numberOffset, 1);
    selectedDone = add16(selectedDone, 1);
    ignoreCurrent();
    return;
  }
  if (!currentPart->Selected()) return;
  selectedDone = add16(selectedDone, 1);
  const std::string wanted = renPrt(currentName, add16(startNumber(), numberOffset));
  if (options.optAssign()) {
    assignNextFree(wanted);
    numberOffset = add16(numberOffset, 1);
  } else if (options.optDuplicate()) {
    renameDuplicate(wanted);
    numberOffset = add16(numberOffset, 1);
  }
}

void frmRenPart::assignNextFree(const std::string& wanted) {
  if (wanted == currentName) return;  // it bears its wanted name already
  const std::string target =
      CheckAll(wanted) ? firstFreeDesignator(AssignNext(wanted), currentName) : wanted;
  if (target != currentName) renameRecorded(*currentPart, currentName, target);
}

void frmRenPart::renameDuplicate(const std::string& wanted) {
  if (!CheckAll(wanted)) {
    renameRecorded(*currentPart, currentName, wanted);
    return;
  }
  if (currentName == wanted) return;
  blockingPart = partList->Item(wanted);
  const std::string blockerName = blockingPart->Name();
  const std::string moved = firstFreeDesignator(AssignNext(blockerName), "");
  renameRecorded(*blockingPart, blockerName, moved);
  // A blocker still to be visited is visited later under its new name.
  const int selectedCount = selectedNames.usedCount();
  for (int row = position; row < selectedCount; ++row) {
    if (sortedNames[row].name == blockerName) {
      sortedNames[row].name = moved;
      break;
    }
  }
  renameRecorded(*currentPart, currentName, wanted);
}

}  // namespace varnel
