#pragma once
// The matrix stack of the hierarchy walks: push copies the top, pre-multiplying by M replaces
// the top by M · top (M acts before what the parents did).
#include <vector>

#include "scene/matrix4.h"

namespace qv {

class MatrixStack {
 public:
  MatrixStack() { m_stack.reserve(16); m_stack.emplace_back(); }

  void Reset() { m_stack.assign(1, Matrix4{}); }
  void LoadIdentity() { m_stack.back() = Matrix4{}; }
  void Push() { m_stack.push_back(m_stack.back()); }
  // The bottom entry is never removed, so an unbalanced walk cannot empty the stack.
  void Pop() {
    if (m_stack.size() > 1) m_stack.pop_back();
  }
  void PreMultiply(const Matrix4& m) { m_stack.back() = m * m_stack.back(); }
  const Matrix4& Top() const { return m_stack.back(); }
  size_t Depth() const { return m_stack.size(); }

 private:
  std::vector<Matrix4> m_stack;
};

}  // namespace qv
