#include "app/eco_delivery.h"

#include "eco/eco_file.h"
#include "eco/forced_read_file_name.h"

namespace varnel::app {

namespace {

constexpr std::size_t kRenamesShown = 20;

base::Error handOffError(const base::Error& cause, const std::string& step,
                         const std::string& tail) {
  return base::Error(cause.number(), "Write and force read in PCB failed while " + step + ": " +
                                         cause.text() + tail);
}

// "The ECO file P" unless the file system's own text names P already: a
// path is said once.
std::string theEcoFile(const std::string& path, const base::Error& cause) {
  if (!path.empty() && cause.text().find(path) != std::string::npos) return "The ECO file";
  return "The ECO file " + path;
}

std::string layoutNeeded(const base::Error& cause) {
  return " with the layout open to write and force read the ECO file (or choose \"Write "
         "only\"). PowerPCB said: " +
         cause.text() + ".";
}

// The document the run took afresh names the file: no second ActiveDocument.
std::string designNameFor(host::Document& design, const std::string& option) {
  try {
    return design.Name();
  } catch (const base::Error& e) {
    throw base::errors::refusal(
        e.number(),
        option + " failed while asking PowerLogic for the design's name: " + e.text() + ".");
  }
}

}  // namespace

base::Error layoutMissingRefusal(const base::Error& cause) {
  return base::errors::refusal(cause.number(), "PowerPCB must be running" + layoutNeeded(cause));
}

std::string layoutMissingNote(const base::Error& cause) {
  return "Rename needs PowerPCB running" + layoutNeeded(cause);
}

// The design's name is asked for only where the file's name needs it.
std::optional<EcoTarget> EcoDelivery::prepare(EcoOutput output, host::Document& design,
                                              const std::string& chosenFile) {
  return prepareNamed(
      output, [&](const std::string& option) { return designNameFor(design, option); }, chosenFile);
}

std::optional<EcoTarget> EcoDelivery::prepare(EcoOutput output, const std::string& designName,
                                              const std::string& chosenFile) {
  return prepareNamed(
      output, [&](const std::string&) { return designName; }, chosenFile);
}

std::optional<EcoTarget> EcoDelivery::prepareNamed(EcoOutput output, const DesignName& designName,
                                                   const std::string& chosenFile) {
  EcoTarget target;
  target.output = output;
  if (output == EcoOutput::none) return target;
  if (output == EcoOutput::writeOnly && !chosenFile.empty()) {
    target.path = chosenFile;
  } else if (output == EcoOutput::writeOnly) {
    const std::string proposed = eco::proposedEcoFileName(designName("Write only"));
    try {
      target.path = saveDialog_.askSavePath("ECO files (*.eco) |*.eco|", proposed);
    } catch (const base::Error& e) {
      throw base::errors::refusal(e.number(), "The save dialog failed: " + e.text() + ".");
    }
    if (target.path.empty()) return std::nullopt;  // cancelled: the user's choice
  } else {
    target.path = forcedReadPath(designName);
    try {
      target.layout = openLayout();
    } catch (const base::Error& e) {
      throw layoutMissingRefusal(e);
    }
    target.keptCopy = chosenFile;
    if (!target.keptCopy.empty()) checkTarget(target.keptCopy);
  }
  checkTarget(target.path);
  return target;
}

std::optional<base::Error> EcoDelivery::rehearse(EcoOutput output, host::Document& design) {
  if (output != EcoOutput::forceReadInPcb) return std::nullopt;
  checkTarget(
      forcedReadPath([&](const std::string& option) { return designNameFor(design, option); }));
  try {
    openLayout();
  } catch (const base::Error& e) {
    return e;
  }
  return std::nullopt;
}

void EcoDelivery::checkTarget(const std::string& path) {
  try {
    files_.checkWritable(path);
  } catch (const base::Error& e) {
    throw base::errors::refusal(e.number(),
                                theEcoFile(path, e) + " cannot be written: " + e.text() + ".");
  }
}

// In the temporary folder, which a standard user can always write to.
std::string EcoDelivery::forcedReadPath(const DesignName& designName) {
  return files_.tempFolder() + eco::forcedReadFileName(designName("Write and force read in PCB"));
}

host::Ref<host::PcbDocument> EcoDelivery::openLayout() {
  return pcb_.attach()->ActiveDocument();
}

void EcoDelivery::writeEco(const std::string& path, const eco::ChangeLog& log) {
  files_.replaceFile(path, eco::ecoFileBytes(log, encoder_));
}

bool EcoDelivery::deliver(const EcoTarget& target, const eco::ChangeLog& log,
                          const DeliveryMarks& marks) {
  switch (target.output) {
    case EcoOutput::none:
      return false;
    case EcoOutput::writeOnly:
      try {
        writeEco(target.path, log);
      } catch (const base::Error& e) {
        throw base::Error(e.number(), theEcoFile(target.path, e) + " could not be written: " +
                                          e.text() + unsavedRenamesNote(log));
      }
      if (marks.delivered) marks.delivered();
      saveDialog_.written(target.path);
      return true;
    case EcoOutput::forceReadInPcb:
      forceRead(target, log, marks);
      return true;
  }
  return false;
}

void EcoDelivery::forceRead(const EcoTarget& target, const eco::ChangeLog& log,
                            const DeliveryMarks& marks) {
  const std::string& path = target.path;
  try {
    writeEco(path, log);
  } catch (const base::Error& e) {
    throw handOffError(e, "writing " + path, unsavedRenamesNote(log));
  }
  const std::string byHand = "\nThe ECO file is still at " + path + "; read it in by hand.";
  if (marks.pcbReading) marks.pcbReading();
  try {
    target.layout->ReadEcoFile(path);
  } catch (const base::Error& e) {
    throw handOffError(e, "PowerPCB read " + path, byHand);
  }
  if (marks.delivered) marks.delivered();
  if (!target.keptCopy.empty()) {
    try {
      writeEco(target.keptCopy, log);
    } catch (const base::Error& e) {
      throw handOffError(e, "keeping a copy at " + target.keptCopy,
                         "\nPowerPCB has read the file; it is still at " + path + ".");
    }
  }
  try {
    files_.deleteFile(path);
  } catch (const base::Error& e) {
    throw handOffError(e, "deleting " + path + " after PowerPCB read it",
                       "\nPowerPCB has read the file; it is still at " + path + ".");
  }
}

std::string EcoDelivery::unsavedRenamesNote(const eco::ChangeLog& log) {
  if (log.empty()) return {};
  // A message box cannot hold thousands of lines: the full list goes to a
  // file, written before the message is shown.
  std::string where;
  try {
    const std::string listFile = freeListFileName();
    files_.replaceFile(listFile, log.listing("\r\n"));
    where = "the full list (old new) is in " + listFile;
  } catch (const base::Error& e) {
    where = "the list could not be written to a file (" + e.text() + "); the first are (old new)";
  }
  std::string note = "\nNo ECO file holds the renames made; " + where + ":\n";
  for (std::size_t k = 0; k < std::min(log.size(), kRenamesShown); ++k)
    note += log.entries()[k].from + " " + log.entries()[k].to + "\n";
  if (log.size() > kRenamesShown)
    note += "... and " + std::to_string(log.size() - kRenamesShown) + " more\n";
  return note;
}

std::string EcoDelivery::freeListFileName() {
  const std::string folder = files_.tempFolder();
  std::string name = folder + "Varnel renames.txt";
  for (int n = 2; files_.exists(name) && n < 10000; ++n)
    name = folder + "Varnel renames " + std::to_string(n) + ".txt";
  return name;
}

std::string EcoDelivery::stoppedRunSummary(const eco::ChangeLog& log, std::size_t planned,
                                           const EcoTarget& target, bool delivered) {
  if (log.empty()) return "The run stopped before its first rename; nothing was renamed.";
  std::string summary = "The run stopped after " + std::to_string(log.size()) + " of the " +
                        std::to_string(planned) + " planned renames.";
  if (delivered && target.output == EcoOutput::writeOnly)
    return summary + " They are in the ECO file " + target.path + ".";
  if (delivered) return summary + " PowerPCB has read them from the ECO file.";
  // The note of a failed delivery already gave the list.
  if (target.output != EcoOutput::none) return summary;
  std::string note = unsavedRenamesNote(log);
  if (!note.empty() && note.back() == '\n') note.pop_back();
  return summary + note;
}

}  // namespace varnel::app
