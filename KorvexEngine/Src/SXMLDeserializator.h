#pragma once

#include "SDeserializator.h"
#include "XMLNode.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

// The reader on the engine's own parser. It parses a whole document at once and answers every read
// from the current element: scalars from its attributes (the first of a name), records and children
// from its child elements (the last of a name). A failed operation leaves the current element where
// it was.
class SXMLDeserializator : public SDeserializator {
 public:
  // A built-in document whose only element is an empty "root".
  SXMLDeserializator();
  // Loads and parses the file; every failure names the file.
  explicit SXMLDeserializator(const std::wstring& path);
  ~SXMLDeserializator() override;

  void LoadFile(const std::wstring& path);
  void ParseText();

  void DoDeserialize(const std::string& name, STextureParameters& value) override;
  void DoDeserialize(const std::string& name, STextureFiltration& value) override;
  void DoDeserialize(const std::string& name, STransformData& value) override;
  void DoDeserialize(const std::string& name, SSphere& value) override;
  void DoDeserialize(const std::string& name, SAABBox& value) override;
  void DoDeserialize(const std::string& name, SRect& value) override;
  void DoDeserialize(const std::string& name, SVector4& value) override;
  void DoDeserialize(const std::string& name, SMatrix& value) override;
  void DoDeserialize(const std::string& name, SVector3& value) override;
  // Each byte becomes one wide character of the same value (bytes above 0x7F read as Latin-1).
  void DoDeserialize(const std::string& name, std::wstring& value) override;
  void DoDeserialize(const std::string& name, std::string& value) override;
  void DoDeserialize(const std::string& name, double& value) override;
  void DoDeserialize(const std::string& name, float& value) override;
  void DoDeserialize(const std::string& name, long double& value) override;
  void DoDeserialize(const std::string& name, long long& value) override;
  void DoDeserialize(const std::string& name, unsigned long long& value) override;
  void DoDeserialize(const std::string& name, unsigned int& value) override;
  void DoDeserialize(const std::string& name, int& value) override;
  void DoDeserialize(const std::string& name, unsigned short& value) override;
  void DoDeserialize(const std::string& name, short& value) override;
  void DoDeserialize(const std::string& name, char& value) override;
  void DoDeserialize(const std::string& name, unsigned char& value) override;
  void DoDeserialize(const std::string& name, bool& value) override;

  // On a syntax error the text is replaced but the tree and the current element stay as they were.
  void DoParseText(const std::string& text) override;
  void DoBeginChild(unsigned int index) override;
  void DoBeginChild(const std::string& name) override;
  // Raises at the synthetic root, where there is no element to leave.
  void DoEndChild() override;
  unsigned int DoGetChildCount() override;
  std::string DoGetNodeName() override;
  boost::shared_ptr<SDeserializator> DoClone(const std::wstring& path) override;
  bool DoIsAvialableName(const std::string& name) override;
  bool DoIsHaveChild(const std::string& name) override;

 private:
  template <typename Record>
  void DeserializeRecord(const std::string& name, Record& value);
  template <typename Value>
  void DeserializeScalar(const std::string& name, Value& value);
  boost::shared_ptr<SXML::XMLNode> FindChildOrRaise(const std::string& name) const;

  std::string m_Text;
  boost::shared_ptr<SXML::XMLNode> m_Root;
  boost::shared_ptr<SXML::XMLNode> m_Current;
};

}  // namespace SCore
