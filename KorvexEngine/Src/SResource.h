#pragma once

#include <string>

namespace SCore {

// A device resource: a type number (3 texture, 6 vertex buffer, 7 index buffer) and a name.
class SResource {
 public:
  SResource(int type, const std::string& name) : m_type(type), m_name(name) {}
  virtual ~SResource() = default;

  int GetResourceType() const { return m_type; }
  const std::string& GetName() const { return m_name; }

 private:
  int m_type;
  std::string m_name;
};

}  // namespace SCore
