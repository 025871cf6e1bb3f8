#include "XMLOutput.h"

namespace SCore {
namespace SXML {

namespace {

void WriteLineStart(std::ostream& out, int depth) {
  out << '\n';
  for (int level = 0; level < depth; ++level) out << "  ";
}

void WriteNodeAtDepth(std::ostream& out, const XMLNode& node, int depth) {
  out << '<' << node.Name;
  for (const auto& attribute : node.Attributes) WriteAttribute(out, *attribute);
  out << '>';
  for (const auto& child : node.Children) {
    WriteLineStart(out, depth + 1);
    WriteNodeAtDepth(out, *child, depth + 1);
  }
  if (!node.Children.empty()) WriteLineStart(out, depth);
  out << node.Text << "</" << node.Name << '>';
}

}  // namespace

std::ostream& WriteNode(std::ostream& out, const XMLNode& node) {
  WriteNodeAtDepth(out, node, 0);
  return out;
}

std::ostream& WriteAttribute(std::ostream& out, const XMLAttribute& attribute) {
  return out << ' ' << attribute.GetName() << "=\"" << EscapeAttributeValue(attribute.GetValue()) << '"';
}

std::string EscapeAttributeValue(const std::string& value) {
  std::string escaped;
  escaped.reserve(value.size());
  for (const char byte : value) {
    switch (byte) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += byte;
    }
  }
  return escaped;
}

}  // namespace SXML
}  // namespace SCore
