#include "win32/ui/program.h"

namespace varnel::win {

// The report is no one's window: it closes when the program ends.
Program::Program(host::HostAttacher& attacher, host::PcbConnector& pcb, app::JournalStore& journals,
                 app::JournalLibrary& library)
    : window_([this] { report_.close(); }),
      report_(window_.handle()),
      dialog_(window_.handle()),
      preview_(window_.handle(),
               {[this] { presenter_.onPreviewRename(); }, [this] { presenter_.onPreviewClosed(); },
                [this](const std::string& component, bool checked) {
                  presenter_.onPreviewRowChecked(component, checked);
                }}),
      activity_(window_, [this](MSG& message) { return translate(message); }),
      delivery_(dialog_, pcb, files_, encoding_),
      link_(attacher),
      session_(link_, window_.progress(), report_, delivery_, journals, activity_),
      presenter_(window_, link_, session_, preview_, library, numberingOptions_, activity_) {}

}  // namespace varnel::win
