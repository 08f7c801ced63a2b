// CScopeGuard: runs a callable when the scope it was made in is left, by return or by
// exception; Dismiss() keeps it from running.
//
//   CScopeGuard close([&] { file.Close(); });
#pragma once

#include <utility>

namespace moji {

template <typename F>
class CScopeGuard {
 public:
  explicit CScopeGuard(F action) : m_action(std::move(action)) {}
  ~CScopeGuard() {
    if (m_active) m_action();
  }
  CScopeGuard(const CScopeGuard&) = delete;
  CScopeGuard& operator=(const CScopeGuard&) = delete;

  void Dismiss() { m_active = false; }

 private:
  F m_action;
  bool m_active = true;
};

}  // namespace moji
