#pragma once
// The main window's state and procedures. The window owns the run state and
// its procedures share it; they are defined beside the subsystem they belong
// to (engine/, order/, eco/, ui/). The platform is reached only through the
// interfaces in Platform, which tests replace.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/int16.h"
#include "model/name_table.h"
#include "host/automation.h"
#include "renumber/known_used_numbers.h"
#include "order/list_names.h"
#include "app/controls.h"

namespace varnel {

namespace ui {
class MainWindowView;
class RunOptions;
class ProgressDisplay;
class ReportView;
class SaveDialog;
}  // namespace ui
namespace eco {
class PcbConnector;
class FileSystem;
class AnsiEncoder;
struct EcoDelivery;
}  // namespace eco
class RunObserver;

struct Platform {
  ui::RunOptions* options = nullptr;
  ui::ProgressDisplay* progress = nullptr;
  ui::ReportView* report = nullptr;
  ui::SaveDialog* saveDialog = nullptr;
  eco::PcbConnector* pcb = nullptr;
  eco::FileSystem* files = nullptr;
  eco::AnsiEncoder* encoder = nullptr;  // Windows-1252 when not given
  RunObserver* observer = nullptr;
  ui::MainWindowView* view = nullptr;
  host::HostAttacher* attacher = nullptr;
};

struct RunPlan;

class frmRenPart {
 public:
  explicit frmRenPart(Platform platform);
  frmRenPart(const frmRenPart&) = delete;
  frmRenPart& operator=(const frmRenPart&) = delete;

  // --- Host state -------------------------------------------------------
  std::shared_ptr<host::Application> powerLogicApp;
  host::Ref<host::Document> powerlogicdoc;
  host::Ref<host::ComponentList> partList;
  host::Ref<host::Component> currentPart;
  host::Ref<host::Component> previousPart;
  host::Ref<host::Component> blockingPart;
  std::string currentName;

  // --- Name tables ------------------------------------------------------
  NameTable allNames;
  NameTable selectedNames;
  PlacementTable sortedNames;
  NameTable ignoredNames;
  // The change log grows as needed: a run over N components may record 2N.
  std::vector<std::string> oldNames;
  std::vector<std::string> newNames;
  std::unordered_set<std::string> ecoMemory;

  // --- Counters ---------------------------------------------------------
  Int16 position = 0;
  Int16 numberOffset = 0;
  Int16 selectedDone = 0;
  Int16 ignoredCount = 0;
  std::int32_t oldCount = 0;
  std::int32_t newCount = 0;
  bool noNumber = false;

  // --- Host connection (host/host_connection.cpp) -----------------------
  host::Subscription openDocumentSubscription;
  // Window load: attach, take the design, title and start number. A
  // message that ends the program when PowerLogic or its design is missing.
  void Form_Load();
  void powerLogicApp_OpenDocument();
  void AlwaysOnTop(bool TrueFalse);
  // partList and currentPart from powerlogicdoc, as start-up takes them.
  void takeComponentList();
  // Attach to the running PowerLogic, follow its OpenDocument, take its
  // design and list, and title the window; throws what the host throws.
  void attachHost();
  // After PowerLogic's process went away: attach to the one running now and
  // tell the user which design Varnel works on, or that none can be had.
  void attachAfresh();

  // --- Main window (ui/main_window_logic.cpp) ---------------------------
  // A click on a control, as the window reports it; option buttons are
  // selected here, and nothing happens while the window is busy.
  void onClick(ui::Control id);
  void optStart_Click();
  void optSelected_Click();
  void chkSend_Click();
  void cmdRun_Click();
  void cmdEnd_Click();
  // True when the start text is illegal.
  bool CheckTextBox();
  bool runInProgress = false;
  bool openDocumentPending = false;
  // A run, or a message or dialog of the Run click, is open.
  bool busy() const { return busy_; }

  // --- Run state and name tables (engine/run_state.cpp) -----------------
  void tallennakaikki();
  void TalletaSelected();
  bool CheckAll(const std::string& component);
  Int16 HowManySelected();
  void tyhjenna();

  // --- Designators (engine/designators.cpp) -----------------------------
  std::string GetCode(const std::string& part);
  std::string changeToNumber(const std::string& part);
  Int16 chInt(const std::string& component);
  bool OnkoPelkkiaKirjaimia(const std::string& name);
  std::string renPrt(const std::string& partName, Int16 number);

  // --- The run (engine/renumbering_run.cpp, engine/run_steps.cpp) --------
  // Throws varnel::Error; the run state is reset whatever happens.
  void StartFrom(const Int16& mode);
  // Set-up and every step of a run, without its closing work. afterStep is
  // called after each step.
  void runSteps(Int16 mode, const std::function<void()>& afterStep);
  // The start number from txtStart, read afresh; error 13 when it is not a
  // whole number in 16 bits.
  Int16 startNumber();
  // The component list by the run's rule: the document's components when it
  // has more than one scope, else those of the current scope.
  host::Ref<host::ComponentList> chooseComponentList();
  host::Ref<host::ComponentList> componentListFor(std::int32_t scopeCount);

  // --- Placement order and name conflicts (order/) ----------------------
  void SortByCoord();
  void SiirraTielta();
  std::string AssignNext(const std::string& component);
  // candidate, or the next higher number of its prefix that no component
  // bears; ownName counts as free (the component being renamed bears it).
  std::string firstFreeDesignator(const std::string& candidate, const std::string& ownName);
  // What this run has seen: numbers in use (the free-name search skips them)
  // and the list's names by position (AssignNext walks them in memory). Off:
  // every value is asked of the host again (the plain way, for comparison).
  order::KnownUsedNumbers knownUsed;
  order::ListNames listNames;
  bool rememberUsedNumbers = true;
  // The clearing of both at the start and end of a run.
  void forgetSeen();

  // --- Change log (eco/change_log.cpp) ----------------------------------
  void TallennaMuuttamaton(const std::string& component);
  void TallennaMuutettu(const std::string& component);
  bool checkEcomuisti(const std::string& nimi);
  void TyhjennaEcomuisti();
  // The three calls of every rename: old name, host rename, name read back.
  void renameRecorded(host::Component& component, const std::string& oldName,
                      const std::string& newName);

  // --- ECO output and hand-off (eco/) -----------------------------------
  // Throws varnel::Error; the file is either whole or not written at all.
  void WriteEco(const std::string& EcoFilename);
  // The bytes WriteEco writes: every name checked and encoded first.
  std::string ecoBytes();
  // A name as the ECO file holds it; throws when the file cannot carry it.
  std::string ecoEncoded(const std::string& name);
  // The renames of the log as record lines, for a user who has no file.
  std::string renameListing(const std::string& lineEnd = "\n") const;
  // Where this run's ECO file goes, asked and checked before the first
  // rename: the save dialog answered and its target writable, or PowerPCB
  // reached with its layout. Nothing when the user cancelled the dialog.
  // Throws a refusal ("... Nothing was renamed.").
  std::optional<eco::EcoDelivery> prepareDelivery();
  // The save dialog's path; nothing when cancelled.
  std::optional<std::string> ShowFileDialog();
  void prepareForcedRead(eco::EcoDelivery& delivery);
  // Writes the file where delivery says (and has PowerPCB read it); true
  // when a file was asked for and now holds the renames.
  bool deliver(const eco::EcoDelivery& delivery);
  void AlsoInPCB(const eco::EcoDelivery& delivery);
  // For a user whose renames reached no file: the first 20 and the name of
  // a list file in the temporary folder that holds them all.
  std::string unsavedRenamesNote();
  std::string freeListFileName();
  std::string ChangeFileName(const std::string& name);

  // --- Report and progress (ui/) ----------------------------------------
  void naytaNimeamattomat();
  void AlustaProgressBar();
  void progressStep();
  void progressReset();

  const Platform& platform() const { return platform_; }

 private:
  void fetchStepComponent(Int16 mode, bool firstStep);
  void handleModeZero();
  void handleModeOne();
  void assignNextFree(const std::string& wanted);
  void renameDuplicate(const std::string& wanted);
  void ignoreCurrent();
  RunPlan planRun(Int16 mode);
  void checkPlannedNames(const RunPlan& plan);
  void readDesign(Int16 mode, RunPlan& plan, struct DesignCopy& copy);
  void applyPlan(const RunPlan& plan);
  void finishRun(const Error* failure, const eco::EcoDelivery& delivery, std::size_t planned);
  // What a run that failed in mid-run did, and where its renames are.
  std::string stoppedRunSummary(std::size_t planned, const eco::EcoDelivery& delivery,
                                bool delivered);
  void runFromWindow(Int16 mode);
  void reattach();

  Platform platform_;
  bool busy_ = false;
  bool hostLost_ = false;  // PowerLogic's process went away: attach afresh on Run
};

}  // namespace varnel
