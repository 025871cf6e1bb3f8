// What must hold for any input of the engine's XML parser: it parses or raises XMLException, and a
// tree that it built, written out, parses back to the same tree. Shared by the fuzz target and the
// tests that replay what the fuzzer found.
#pragma once

#include "XMLException.h"
#include "XMLOutput.h"
#include "XMLParser.h"

#include <sstream>
#include <string>

namespace XMLParserOracle {

// name(attributes)[children]"text", with the lengths spelt out so that no content can imitate
// the punctuation.
inline std::string Dump(const SCore::SXML::XMLNode& node) {
  std::string dump = std::to_string(node.Name.size()) + ":" + node.Name + "(";
  for (const auto& attribute : node.Attributes) {
    const std::string name = attribute->GetName();
    const std::string value = attribute->GetValue();
    dump += std::to_string(name.size()) + ":" + name + "=" + std::to_string(value.size()) + ":" + value + ",";
  }
  dump += ")[";
  for (const auto& child : node.Children) dump += Dump(*child) + ",";
  return dump + "]" + std::to_string(node.Text.size()) + ":" + node.Text;
}

inline std::string WriteDocument(const SCore::SXML::XMLNode& root) {
  std::ostringstream out;
  for (const auto& element : root.Children) SCore::SXML::WriteNode(out, *element);
  return out.str();
}

// Answers an empty text when all holds, else what went wrong. Any other exception escapes, which
// is a failure too.
inline std::string Check(const std::string& input) {
  std::string tree;
  std::string written;
  try {
    const SCore::SXML::XMLParser parser(input);
    tree = Dump(*parser.GetRoot());
    written = WriteDocument(*parser.GetRoot());
  } catch (const SCore::SXML::XMLException&) {
    return std::string();
  }
  // A name that holds "<?xml" makes the written document look as if it had a declaration.
  if (written.find("<?xml") != std::string::npos) return std::string();
  try {
    const SCore::SXML::XMLParser again(written);
    if (Dump(*again.GetRoot()) != tree) return "written tree reads back changed: " + written;
  } catch (const SCore::SXML::XMLException& error) {
    return std::string("written tree does not parse (") + error.what() + "): " + written;
  }
  return std::string();
}

}  // namespace XMLParserOracle
