#include "win32/base/bstr.h"

#include "win32/base/text.h"

namespace varnel::win {

Bstr::Bstr(const std::string& utf8) {
  const std::wstring wide = widen(utf8);
  raw_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string Bstr::utf8() const {
  return raw_ ? narrow({raw_, SysStringLen(raw_)}) : std::string();
}

}  // namespace varnel::win
