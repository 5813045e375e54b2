#pragma once
#include <windows.h>

namespace varnel::win {

// CoInitializeEx for this thread as a single-threaded apartment.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

 private:
  HRESULT result_;
};

}  // namespace varnel::win
