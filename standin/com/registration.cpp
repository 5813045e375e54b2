#include "standin/com/registration.h"

#include <oleauto.h>

#include <string>

#include "standin/com/running_object.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::standin {

namespace {

// Move-only owner of an open registry key.
class RegistryKey {
 public:
  RegistryKey(HKEY parent, const std::wstring& path) {
    const LONG result =
        RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key_, nullptr);
    if (result != ERROR_SUCCESS) throw win::comError(HRESULT_FROM_WIN32(result));
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() { RegCloseKey(key_); }
  void setDefault(const std::wstring& value) {
    const LONG result =
        RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (result != ERROR_SUCCESS) throw win::comError(HRESULT_FROM_WIN32(result));
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

void registerProgId(const wchar_t* progId, const CLSID& clsid) {
  wchar_t text[64];
  StringFromGUID2(clsid, text, 64);
  RegistryKey(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\CLSID").setDefault(text);
}

void serveUntilClosed(IUnknown* object, const wchar_t* progId, const CLSID& clsid) {
  registerProgId(progId, clsid);
  RunningObject running(object, clsid);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace varnel::standin
