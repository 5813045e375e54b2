#include "win32/com/com_error.h"

#include "win32/base/com_ptr.h"
#include "win32/base/text.h"
#include "win32/base/variant.h"

namespace varnel::win {

namespace {

std::string systemText(HRESULT result) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : L"Automation error.";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return narrow(text);
}

// The text of the thread's IErrorInfo, when object says that it describes
// the failed IDispatch call; empty otherwise.
std::string errorInfoText(IUnknown* object) {
  if (!object) return {};
  ComPtr<ISupportErrorInfo> support;
  if (FAILED(object->QueryInterface(IID_ISupportErrorInfo, support.receiveVoid())) ||
      support->InterfaceSupportsErrorInfo(IID_IDispatch) != S_OK)
    return {};
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.receive()) != S_OK || !info) return {};
  Bstr description;
  if (FAILED(info->GetDescription(description.receive()))) return {};
  return description.utf8();
}

// An automation error number for FACILITY_CONTROL errors, as the host's
// own language reads them; other HRESULTs stay as they are.
std::int64_t errorNumber(HRESULT result) {
  if (FAILED(result) && HRESULT_FACILITY(result) == FACILITY_CONTROL) return HRESULT_CODE(result);
  return static_cast<std::uint32_t>(result);
}

}  // namespace

bool isBusyRejection(std::int64_t number) {
  return number == static_cast<std::uint32_t>(RPC_E_CALL_REJECTED) ||
         number == static_cast<std::uint32_t>(RPC_E_SERVERCALL_RETRYLATER);
}

base::Error comError(HRESULT result, EXCEPINFO* info, IUnknown* object) {
  std::int64_t number = errorNumber(result);
  std::string text;
  if (result == DISP_E_EXCEPTION && info) {
    if (info->pfnDeferredFillIn) info->pfnDeferredFillIn(info);
    if (info->scode)
      number = errorNumber(info->scode);
    else if (info->wCode)
      number = info->wCode;
    Bstr source, description, help;
    *source.receive() = info->bstrSource;
    *description.receive() = info->bstrDescription;
    *help.receive() = info->bstrHelpFile;
    info->bstrSource = info->bstrDescription = info->bstrHelpFile = nullptr;
    text = description.utf8();
  } else if (FAILED(result)) {
    text = errorInfoText(object);
  }
  if (text.empty()) text = systemText(static_cast<HRESULT>(number));
  return base::Error(number, text);
}

}  // namespace varnel::win
