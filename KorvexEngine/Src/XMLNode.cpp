#include "XMLNode.h"

#include "KorvexCoreException.h"

namespace SCore {
namespace SXML {

XMLNode::XMLNode(const std::string& name) : Name(name) {}

XMLNode::~XMLNode() = default;

void XMLNode::AppendChild(const boost::shared_ptr<XMLNode>& parent, const boost::shared_ptr<XMLNode>& child) {
  parent->Children.push_back(child);
  child->Parent = parent;
}

boost::shared_ptr<XMLNode> FindChild(const boost::shared_ptr<XMLNode>& node, const std::string& name) {
  for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child) {
    if ((*child)->Name == name) return *child;
  }
  return boost::shared_ptr<XMLNode>();
}

bool FindAttribute(const boost::shared_ptr<XMLNode>& node, const std::string& name,
                   boost::shared_ptr<XMLAttribute>& found) {
  for (const auto& attribute : node->Attributes) {
    if (attribute->GetName() == name) {
      found = attribute;
      return true;
    }
  }
  return false;
}

boost::shared_ptr<XMLAttribute> GetAttribute(const boost::shared_ptr<XMLNode>& node, const std::string& name) {
  boost::shared_ptr<XMLAttribute> found;
  if (!FindAttribute(node, name, found)) {
    const std::string message = "Attribute:" + name + " not found";
    throw KorvexCoreException(message.c_str());
  }
  return found;
}

}  // namespace SXML
}  // namespace SCore
