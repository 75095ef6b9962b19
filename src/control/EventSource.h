#pragma once
#include <functional>
#include <map>
#include <vector>

namespace linkwatch {

// One event of a control: hosts subscribe handlers, the control raises it with its
// arguments by reference, so a handler can change what the control passed (for
// example the control's own AutoUpdate field). Handlers run in the order they
// subscribed; a handler may subscribe or unsubscribe while the event is raised.
template <typename... Args>
class EventSource {
 public:
  using Handler = std::function<void(Args&...)>;

  EventSource() = default;
  EventSource(const EventSource&) = delete;
  EventSource& operator=(const EventSource&) = delete;

  // Returns a token for Unsubscribe.
  int Subscribe(Handler handler) {
    const int token = nextToken_++;
    handlers_.emplace(token, std::move(handler));
    return token;
  }
  void Unsubscribe(int token) { handlers_.erase(token); }
  int SubscriberCount() const { return static_cast<int>(handlers_.size()); }

  void Raise(Args&... args) {
    std::vector<int> tokens;
    tokens.reserve(handlers_.size());
    for (const auto& entry : handlers_) tokens.push_back(entry.first);
    for (int token : tokens) {
      auto found = handlers_.find(token);
      if (found == handlers_.end()) continue;  // unsubscribed by an earlier handler
      Handler handler = found->second;
      handler(args...);
    }
  }

 private:
  std::map<int, Handler> handlers_;
  int nextToken_ = 1;
};

}  // namespace linkwatch
