// Where the ECO file goes at the end of a run: a file the user picks, or a
// file that the running PowerPCB reads at once and that is then deleted.
#include "eco/pcb_link.h"
#include "engine/frm_ren_part.h"
#include "ui/save_dialog.h"

namespace varnel {

namespace {

// What the user needs when the renames reached no file.
std::string unsavedRenames(const frmRenPart& form) {
  const std::string listing = form.renameListing();
  if (listing.empty()) return {};
  return "\nNo ECO file holds the renames made; these are they (old new):\n" + listing;
}

Error handOffError(const Error& cause, const std::string& step, const std::string& tail) {
  return Error(cause.number(),
               "Write and force read in PCB failed while " + step + ": " + cause.text() + tail);
}

}  // namespace

void frmRenPart::ShowFileDialog() {
  std::string path;
  try {
    path = platform_.saveDialog->askSavePath("ECO files (*.eco) |*.eco|");
  } catch (const Error& e) {
    throw Error(e.number(), "The save dialog failed: " + e.text() + unsavedRenames(*this));
  }
  if (path.empty()) return;  // cancelled: the user's choice
  try {
    WriteEco(path);
  } catch (const Error& e) {
    throw Error(e.number(), "The ECO file " + path + " could not be written: " + e.text() +
                                unsavedRenames(*this));
  }
}

void frmRenPart::AlsoInPCB() {
  std::string fileName;
  try {
    fileName = ChangeFileName(powerLogicApp->ActiveDocument()->Name()) + "eco";
  } catch (const Error& e) {
    throw handOffError(e, "asking PowerLogic for the design's name", unsavedRenames(*this));
  }
  host::Ref<eco::PcbDocument> layout;
  try {
    layout = platform_.pcb->attach()->ActiveDocument();
  } catch (const Error& e) {
    throw handOffError(e, "reaching PowerPCB", unsavedRenames(*this));
  }
  const std::string path = platform_.files->tempFolder() + fileName;
  try {
    WriteEco(fileName);
  } catch (const Error& e) {
    throw handOffError(e, "writing " + path, unsavedRenames(*this));
  }
  const std::string byHand = "\nThe ECO file is still at " + path + "; read it in by hand.";
  try {
    layout->ReadEcoFile(path);
  } catch (const Error& e) {
    throw handOffError(e, "PowerPCB read " + path, byHand);
  }
  try {
    platform_.files->deleteFile(path);
  } catch (const Error& e) {
    throw handOffError(e, "deleting " + path + " after PowerPCB read it",
                       "\nPowerPCB has read the file; it is still at " + path + ".");
  }
}

std::string frmRenPart::ChangeFileName(const std::string& name) {
  // Only the last path component: the file must stay in the temporary folder.
  std::string file = name.substr(
      name.find_last_of("\\/:") == std::string::npos ? 0 : name.find_last_of("\\/:") + 1);
  for (char& c : file)
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("<>\"|?*").find(c) != std::string_view::npos)
      c = '_';
  const auto period = file.find('.');
  return period == std::string::npos ? file + "." : file.substr(0, period + 1);
}

}  // namespace varnel
