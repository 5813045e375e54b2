// Where the ECO file goes: a file the user picks, or a file that the running
// PowerPCB reads at once and that is then deleted. Both are settled before
// the first rename; the file itself is written at the end of the run.
#include "eco/eco_delivery.h"
#include "eco/pcb_link.h"
#include "engine/frm_ren_part.h"
#include "app/run_options.h"
#include "app/save_dialog.h"

namespace varnel {

namespace {

using eco::EcoDelivery;

constexpr std::size_t kRenamesShown = 20;

Error handOffError(const Error& cause, const std::string& step, const std::string& tail) {
  return Error(cause.number(),
               "Write and force read in PCB failed while " + step + ": " + cause.text() + tail);
}

Error refusal(const Error& cause, const std::string& why) {
  return Error(cause.number(), why + " Nothing was renamed.");
}

}  // namespace

std::optional<EcoDelivery> frmRenPart::prepareDelivery() {
  ui::RunOptions& options = *platform_.options;
  EcoDelivery delivery;
  if (!options.chkSend()) return delivery;
  if (options.optECO()) {
    auto path = ShowFileDialog();
    if (!path) return std::nullopt;
    delivery.target = EcoDelivery::Target::chosenFile;
    delivery.fileName = delivery.path = *path;
  }
  if (options.optDirect()) prepareForcedRead(delivery);
  if (delivery.target != EcoDelivery::Target::none) {
    try {
      platform_.files->checkWritable(delivery.path);
    } catch (const Error& e) {
      throw refusal(e, "The ECO file " + delivery.path + " cannot be written: " + e.text() + ".");
    }
  }
  return delivery;
}

std::optional<std::string> frmRenPart::ShowFileDialog() {
  std::string path;
  try {
    path = platform_.saveDialog->askSavePath("ECO files (*.eco) |*.eco|");
  } catch (const Error& e) {
    throw refusal(e, "The save dialog failed: " + e.text() + ".");
  }
  if (path.empty()) return std::nullopt;  // cancelled: the user's choice
  return path;
}

void frmRenPart::prepareForcedRead(EcoDelivery& delivery) {
  try {
    delivery.fileName = ChangeFileName(powerLogicApp->ActiveDocument()->Name()) + "eco";
  } catch (const Error& e) {
    throw refusal(e,
                  "Write and force read in PCB failed while asking PowerLogic for the "
                  "design's name: " +
                      e.text() + ".");
  }
  try {
    delivery.layout = platform_.pcb->attach()->ActiveDocument();
  } catch (const Error& e) {
    throw refusal(e,
                  "PowerPCB must be running with the layout open to write and force read the "
                  "ECO file (or choose \"Write only\"). PowerPCB said: " +
                      e.text() + ".");
  }
  delivery.target = EcoDelivery::Target::forcedRead;
  delivery.path = platform_.files->tempFolder() + delivery.fileName;
}

bool frmRenPart::deliver(const EcoDelivery& delivery) {
  switch (delivery.target) {
    case EcoDelivery::Target::none:
      return false;
    case EcoDelivery::Target::chosenFile:
      try {
        WriteEco(delivery.fileName);
      } catch (const Error& e) {
        throw Error(e.number(), "The ECO file " + delivery.path +
                                    " could not be written: " + e.text() + unsavedRenamesNote());
      }
      return true;
    case EcoDelivery::Target::forcedRead:
      AlsoInPCB(delivery);
      return true;
  }
  return false;
}

void frmRenPart::AlsoInPCB(const EcoDelivery& delivery) {
  const std::string& path = delivery.path;
  try {
    WriteEco(delivery.fileName);
  } catch (const Error& e) {
    throw handOffError(e, "writing " + path, unsavedRenamesNote());
  }
  const std::string byHand = "\nThe ECO file is still at " + path + "; read it in by hand.";
  try {
    delivery.layout->ReadEcoFile(path);
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

std::string frmRenPart::unsavedRenamesNote() {
  const std::size_t count = std::min(oldNames.size(), newNames.size());
  if (count == 0) return {};
  // A message box cannot hold thousands of lines: the full list goes to a
  // file, written before the message is shown.
  std::string where;
  try {
    const std::string listFile = freeListFileName();
    platform_.files->replaceFile(listFile, renameListing("\r\n"));
    where = "the full list (old new) is in " + listFile;
  } catch (const Error& e) {
    where = "the list could not be written to a file (" + e.text() + "); the first are (old new)";
  }
  std::string note = "\nNo ECO file holds the renames made; " + where + ":\n";
  for (std::size_t k = 0; k < std::min(count, kRenamesShown); ++k)
    note += oldNames[k] + " " + newNames[k] + "\n";
  if (count > kRenamesShown) note += "... and " + std::to_string(count - kRenamesShown) + " more\n";
  return note;
}

std::string frmRenPart::freeListFileName() {
  const std::string folder = platform_.files->tempFolder();
  std::string name = folder + "Varnel renames.txt";
  for (int n = 2; platform_.files->exists(name) && n < 10000; ++n)
    name = folder + "Varnel renames " + std::to_string(n) + ".txt";
  return name;
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
