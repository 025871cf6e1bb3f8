// The reference count of the stand-in's objects: made with one reference, deleted at zero.
#pragma once

#include <atomic>

#include "Platform/D3D9.h"

namespace Platform {
namespace D3D9 {

template <class Interface>
class RefCounted : public Interface {
 public:
  ULONG AddRef() override { return ++m_references; }
  ULONG Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }
  ULONG References() const { return m_references; }

 private:
  std::atomic<ULONG> m_references{1};
};

}  // namespace D3D9
}  // namespace Platform
