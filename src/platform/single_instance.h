// Single-instance guard port: one running copy of the program per user.
#pragma once

#include <functional>
#include <string_view>

namespace tarsel {

class SingleInstanceGuard {
 public:
  virtual ~SingleInstanceGuard() = default;
  // Claims the name. True for the first instance, which is then told through onActivate (on the
  // UI thread) whenever a later launch wants its window in front. False when another instance
  // holds the name: it has been asked to show its window, and the caller should exit. A claim
  // left behind by a crashed instance does not count.
  virtual bool Claim(std::string_view name, std::function<void()> onActivate) = 0;
};

}  // namespace tarsel
