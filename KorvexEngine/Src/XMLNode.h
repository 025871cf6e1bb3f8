#pragma once

#include "XMLAttribute.h"

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <string>
#include <vector>

namespace SCore {
namespace SXML {

// One element of a tree. Walkers read the members directly; a node owns its children and its
// attributes, and its parent link does not own.
class XMLNode {
 public:
  explicit XMLNode(const std::string& name);
  virtual ~XMLNode();

  // Appends the child and sets its parent link to this node.
  static void AppendChild(const boost::shared_ptr<XMLNode>& parent, const boost::shared_ptr<XMLNode>& child);

  std::string Name;
  std::vector<boost::shared_ptr<XMLNode>> Children;      // in document order
  std::vector<boost::shared_ptr<XMLAttribute>> Attributes;  // in document order; names may repeat
  boost::weak_ptr<XMLNode> Parent;                       // empty for a root
  std::string Text;
};

// The last child of that name, or an empty pointer; direct children only.
boost::shared_ptr<XMLNode> FindChild(const boost::shared_ptr<XMLNode>& node, const std::string& name);
// Stores the first attribute of that name in found and answers true; otherwise leaves found as it was.
bool FindAttribute(const boost::shared_ptr<XMLNode>& node, const std::string& name,
                   boost::shared_ptr<XMLAttribute>& found);
// The first attribute of that name; raises KorvexCoreException "Attribute:" name " not found".
boost::shared_ptr<XMLAttribute> GetAttribute(const boost::shared_ptr<XMLNode>& node, const std::string& name);

}  // namespace SXML
}  // namespace SCore
