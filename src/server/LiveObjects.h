#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>

namespace linkwatch {

// Counts the objects that are alive, so that a host can ask whether the library
// may be unloaded (nothing it made is still in use). The count is shared with
// every object it counts, so it stays valid for objects that outlive whoever
// made them. Objects may end on any thread.
class LiveObjects {
 public:
  LiveObjects() : count_(std::make_shared<std::atomic<int64_t>>(0)) {}

  int64_t Count() const { return count_->load(); }

  // Held by one counted object: counts one while it exists.
  class Token {
   public:
    explicit Token(const LiveObjects& objects) : count_(objects.count_) { ++*count_; }
    ~Token() { --*count_; }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;

   private:
    std::shared_ptr<std::atomic<int64_t>> count_;
  };

  // A T that counts itself while it exists. It is a T in every other way, so a
  // std::shared_ptr<T> to it works as any T would (enable_shared_from_this
  // included); the pointer's deleter still ends the whole Counted<T>.
  template <typename T>
  class Counted : public T {
   public:
    template <typename... Args>
    explicit Counted(const LiveObjects& objects, Args&&... args)
        : T(std::forward<Args>(args)...), token_(objects) {}

   private:
    Token token_;  // made after T, so a T that fails to construct is not counted
  };

  // A new T, counted until its last reference goes.
  template <typename T, typename... Args>
  std::shared_ptr<T> Make(Args&&... args) const {
    return std::make_shared<Counted<T>>(*this, std::forward<Args>(args)...);
  }

 private:
  std::shared_ptr<std::atomic<int64_t>> count_;
};

}  // namespace linkwatch
