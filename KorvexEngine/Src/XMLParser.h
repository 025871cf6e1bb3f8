#pragma once

#include "XMLNode.h"

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>

namespace SCore {
namespace SXML {

// The engine's parser: parses one text, once, in its constructor, into a tree under a synthetic root
// named "root" whose children are the document's top-level elements. Raises XMLException on a syntax
// error; it never reads past the end of its text.
class XMLParser {
 public:
  // Deeper documents are refused rather than risking the stack.
  static constexpr int kMaxNestingDepth = 256;

  explicit XMLParser(std::string text);
  virtual ~XMLParser();
  XMLParser(const XMLParser&) = delete;
  XMLParser& operator=(const XMLParser&) = delete;

  boost::shared_ptr<XMLNode> GetRoot() const { return m_Root; }

 private:
  void Parse();
  void FindNode(const boost::shared_ptr<XMLNode>& node, int depth);
  void ReadChildElement(const boost::shared_ptr<XMLNode>& parent, int depth);
  void FindAttributes(const boost::shared_ptr<XMLNode>& node);
  void FindValue(XMLNode& node);
  void CheckCloseTag(const XMLNode& node);

  void NextChar();
  bool AtEnd() const { return m_Cursor >= m_Text.size(); }
  // The byte under the cursor; at the end of the text raises XMLException with the caller's message.
  char Peek(const char* messageAtEnd) const;
  void SkipSpaces(const char* messageAtEnd);
  // Collects the bytes up to the first of the stop bytes, which stays under the cursor.
  std::string CollectUntil(const char* stopBytes, const char* messageAtEnd);

  std::size_t m_Cursor;
  boost::shared_ptr<XMLNode> m_Root;
  std::string m_Text;
};

}  // namespace SXML
}  // namespace SCore
