#pragma once

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <string>

namespace SCore {
namespace SXML {

class XMLNode;

// One attribute of an element; nothing changes it once made.
class XMLAttribute {
 public:
  XMLAttribute(const std::string& name, const std::string& value, const boost::shared_ptr<XMLNode>& owner);
  virtual ~XMLAttribute();

  std::string GetName() const { return m_Name; }
  std::string GetValue() const { return m_Value; }
  boost::shared_ptr<XMLNode> GetOwner() const { return m_Owner.lock(); }

 private:
  std::string m_Name;
  std::string m_Value;
  boost::weak_ptr<XMLNode> m_Owner;  // the element owns its attributes, not the other way round
};

}  // namespace SXML
}  // namespace SCore
