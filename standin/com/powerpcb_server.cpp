#include "standin/com/powerpcb_server.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/error.h"
#include "standin/com/server_object.h"
#include "standin/pcb_layout.h"
#include "win32/base/text.h"

namespace varnel::standin {

namespace {

using win::Variant;
using Args = std::vector<const VARIANT*>;

std::string readFile(const std::string& path) {
  std::ifstream in(std::filesystem::path(win::widen(path)), std::ios::binary);
  if (!in) throw base::Error(53, "File not found: " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void noteCall(PcbModel& model, const char* operation) {
  ++model.calls;
  if (model.called) model.called(model.calls, operation);
}

class PcbDocumentObject final : public ServerObject {
 public:
  explicit PcbDocumentObject(std::shared_ptr<PcbModel> model)
      : ServerObject({L"Name", L"ReadEcoFile"}), model_(std::move(model)) {}
  Variant invokeMember(std::size_t m, bool, const Args& args) override {
    noteCall(*model_, m == 0 ? "PcbDocument.Name" : "PcbDocument.ReadEcoFile");
    if (m == 0) return Variant::fromString(model_->layout.name);
    const std::string bytes = readFile(argText(args, 0));
    if (model_->fileRead) model_->fileRead(bytes);
    applyEco(model_->layout, bytes);
    ++model_->filesRead;
    if (model_->changed) model_->changed();
    return Variant::fromBool(true);
  }

 private:
  std::shared_ptr<PcbModel> model_;
};

class PcbApplicationObject final : public ServerObject {
 public:
  explicit PcbApplicationObject(std::shared_ptr<PcbModel> model)
      : ServerObject({L"ActiveDocument"}), model_(std::move(model)) {}
  Variant invokeMember(std::size_t, bool, const Args&) override {
    noteCall(*model_, "PcbApplication.ActiveDocument");
    return objectVariant(new PcbDocumentObject(model_));
  }

 private:
  std::shared_ptr<PcbModel> model_;
};

}  // namespace

win::ComPtr<IDispatch> servePcbApplication(std::shared_ptr<PcbModel> model) {
  return win::ComPtr<IDispatch>::adopt(new PcbApplicationObject(std::move(model)));
}

}  // namespace varnel::standin
