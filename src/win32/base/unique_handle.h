#pragma once
// A move-only owner of a Windows handle, closed by Close when it goes.
#include <utility>

namespace varnel::win {

template <class Handle, auto Close>
class UniqueHandle {
 public:
  explicit UniqueHandle(Handle handle = nullptr) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }
  Handle get() const noexcept { return handle_; }
  void reset() noexcept {
    if (handle_) Close(std::exchange(handle_, nullptr));
  }

 private:
  Handle handle_ = nullptr;
};

}  // namespace varnel::win
