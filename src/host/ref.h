#pragma once
// A reference to a host object that may be empty, as a lookup by an unknown
// name gives. Using an empty reference is error 91, as it is in the host's
// own automation language.
#include <memory>
#include <type_traits>
#include <utility>

#include "base/error.h"

namespace varnel::host {

template <class T>
class Ref {
 public:
  Ref() = default;
  explicit Ref(std::shared_ptr<T> object) : object_(std::move(object)) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> Ref(Ref<U> other) : object_(other.shared()) {}

  // Throws error 91 when empty.
  T* operator->() const {
    if (!object_) throw base::errors::objectNotSet();
    return object_.get();
  }
  T& operator*() const { return *operator->(); }

  bool empty() const noexcept { return !object_; }
  explicit operator bool() const noexcept { return !empty(); }
  const std::shared_ptr<T>& shared() const noexcept { return object_; }

 private:
  std::shared_ptr<T> object_;
};

template <class T, class... Args>
Ref<T> makeRef(Args&&... args) {
  return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

}  // namespace varnel::host
