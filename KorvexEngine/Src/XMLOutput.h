// The output of a tree of XMLNode in the engine's dialect.
#pragma once

#include "XMLAttribute.h"
#include "XMLNode.h"

#include <ostream>
#include <string>

namespace SCore {
namespace SXML {

// Writes the node and everything under it: a line feed and two blanks per level before each child
// and before the close tag of an element that has children; the text right before the close tag.
// The indentation starts at the left margin; nothing is shared between calls, so documents may be
// written from several threads at once.
std::ostream& WriteNode(std::ostream& out, const XMLNode& node);
// A blank, the name, ="value" with the value escaped.
std::ostream& WriteAttribute(std::ostream& out, const XMLAttribute& attribute);

// & < > " become &amp; &lt; &gt; &quot;, so that any value reads back; other bytes stay as they are.
std::string EscapeAttributeValue(const std::string& value);

}  // namespace SXML
}  // namespace SCore
