#include "win32/base/com_apartment.h"

#include <objbase.h>

namespace varnel::win {

ComApartment::ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

ComApartment::~ComApartment() {
  if (SUCCEEDED(result_)) CoUninitialize();
}

}  // namespace varnel::win
