#include "XMLParser.h"

#include "XMLException.h"
#include "srethrow.h"

#include <boost/make_shared.hpp>

#include <cstring>

namespace SCore {
namespace SXML {

namespace {

const char* const kSourcePath = ".\\Src\\XMLParser";

// Line breaks, tabs and the byte 6 are dropped wherever the cursor moves: they separate nothing and
// never become part of a name, a value or a text.
bool IsDropped(char byte) { return byte == '\n' || byte == '\r' || byte == '\t' || byte == '\x06'; }

bool IsBlank(char byte) { return byte == ' ' || IsDropped(byte); }

// Attribute values may carry the five predefined entities, which the writer uses for & < > ".
// Anything else that starts with & stays as it is, so older files read as before.
std::string DecodeAttributeValue(const std::string& value) {
  static const struct {
    const char* entity;
    char byte;
  } entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string decoded;
  decoded.reserve(value.size());
  for (std::size_t position = 0; position < value.size();) {
    bool replaced = false;
    for (const auto& entry : entities) {
      const std::size_t length = std::strlen(entry.entity);
      if (value.compare(position, length, entry.entity) == 0) {
        decoded += entry.byte;
        position += length;
        replaced = true;
        break;
      }
    }
    if (!replaced) decoded += value[position++];
  }
  return decoded;
}

}  // namespace

XMLParser::XMLParser(std::string text) : m_Cursor(0), m_Text(std::move(text)) { Parse(); }

XMLParser::~XMLParser() = default;

void XMLParser::Parse() {
  KORVEX_TRY
    m_Cursor = 0;
    // The declaration is skipped whole, wherever "<?xml" stands; its content is not read.
    if (m_Text.find("<?xml") != std::string::npos) {
      const std::size_t declarationEnd = m_Text.find("?>");
      if (declarationEnd == std::string::npos) throw XMLException("XML declaration end \"?>\" not found");
      m_Cursor = declarationEnd + 2;
    }
    const boost::shared_ptr<XMLNode> root = boost::make_shared<XMLNode>("root");
    FindNode(root, 0);
    m_Root = root;
  KORVEX_RETHROW("XMLParser::Parse", kSourcePath)
}

// Reads the child list of the node: up to the "<" of its close tag, or for the root to the end.
void XMLParser::FindNode(const boost::shared_ptr<XMLNode>& node, int depth) {
  KORVEX_TRY
    for (;;) {
      if (AtEnd()) return;
      while (IsBlank(Peek("XMLNode not found"))) NextChar();
      if (Peek("XMLNode not found") != '<') return;  // the node's text starts here
      const std::size_t tagStart = m_Cursor;
      NextChar();
      if (Peek("XMLNode not found") == '/') {
        m_Cursor = tagStart;  // the node's own close tag
        return;
      }
      ReadChildElement(node, depth + 1);
    }
  KORVEX_RETHROW("XMLParser::FindNode", kSourcePath)
}

void XMLParser::ReadChildElement(const boost::shared_ptr<XMLNode>& parent, int depth) {
  const std::string name = CollectUntil(" >", "XMLNode not found");
  if (name.empty()) throw XMLException("XMLNode name not found");
  if (depth > kMaxNestingDepth) throw XMLException("XMLNode nesting too deep");
  const boost::shared_ptr<XMLNode> child = boost::make_shared<XMLNode>(name);
  FindAttributes(child);
  FindNode(child, depth);
  FindValue(*child);
  CheckCloseTag(*child);
  // A node joins the tree only once its whole element has been read.
  XMLNode::AppendChild(parent, child);
}

void XMLParser::FindAttributes(const boost::shared_ptr<XMLNode>& node) {
  KORVEX_TRY
    const char* const atEnd = "XMLAttribute not found";
    if (Peek(atEnd) == '>') {
      NextChar();
      return;
    }
    for (;;) {
      SkipSpaces(atEnd);
      const std::string name = CollectUntil("=", atEnd);
      NextChar();
      if (Peek(atEnd) != '"') throw XMLException("XMLAttribute start \" symbol not found");
      NextChar();
      const std::string value = CollectUntil("\"", atEnd);
      node->Attributes.push_back(boost::make_shared<XMLAttribute>(name, DecodeAttributeValue(value), node));
      NextChar();
      SkipSpaces(atEnd);
      if (Peek(atEnd) == '>') {
        NextChar();
        return;
      }
    }
  KORVEX_RETHROW("XMLParser::FindAttributes", kSourcePath)
}

void XMLParser::FindValue(XMLNode& node) {
  KORVEX_TRY
    node.Text = CollectUntil("<", "Value not found");
  KORVEX_RETHROW("XMLParser::FindValue", kSourcePath)
}

void XMLParser::CheckCloseTag(const XMLNode& node) {
  KORVEX_TRY
    const char* const atEnd = "CloseTag not found";
    NextChar();
    if (Peek(atEnd) != '/') throw XMLException("CloseTag symbol '/' not found");
    NextChar();
    const std::string name = CollectUntil(">", atEnd);
    NextChar();
    if (name != node.Name) throw XMLException(atEnd);
  KORVEX_RETHROW("XMLParser::CheckCloseTag", kSourcePath)
}

void XMLParser::NextChar() {
  ++m_Cursor;
  while (!AtEnd() && IsDropped(m_Text[m_Cursor])) ++m_Cursor;
}

char XMLParser::Peek(const char* messageAtEnd) const {
  if (AtEnd()) throw XMLException(messageAtEnd);
  return m_Text[m_Cursor];
}

void XMLParser::SkipSpaces(const char* messageAtEnd) {
  while (Peek(messageAtEnd) == ' ') NextChar();
}

std::string XMLParser::CollectUntil(const char* stopBytes, const char* messageAtEnd) {
  std::string collected;
  for (char byte = Peek(messageAtEnd); std::strchr(stopBytes, byte) == nullptr || byte == '\0';
       byte = Peek(messageAtEnd)) {
    if (!IsDropped(byte)) collected += byte;
    NextChar();
  }
  return collected;
}

}  // namespace SXML
}  // namespace SCore
