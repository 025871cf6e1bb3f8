#pragma once

#include "SDeserializator.h"

#include "Platform/CodePage.h"

#include <boost/shared_ptr.hpp>

#include <string>

class TiXmlDocument;
class TiXmlElement;
class TiXmlNode;

namespace SCore {

// The reader on TinyXML: any well-formed XML, entities resolved, and wide texts widened through the
// named locale. Element lookups by name take the first element of that name. Without a current
// element the reader stands at the document level, whose children are the top-level elements.
class STinyXMLDeserializator : public SDeserializator {
 public:
  // An empty document; raises std::runtime_error for a locale name that names no code page.
  explicit STinyXMLDeserializator(const std::string& localeName);
  // Loads the file; a missing, empty or damaged file raises an error that names it.
  STinyXMLDeserializator(const std::wstring& path, const std::string& localeName);
  ~STinyXMLDeserializator() override;

  void DoDeserialize(const std::string& name, STextureParameters& value) override;
  void DoDeserialize(const std::string& name, STextureFiltration& value) override;
  void DoDeserialize(const std::string& name, STransformData& value) override;
  void DoDeserialize(const std::string& name, SSphere& value) override;
  void DoDeserialize(const std::string& name, SAABBox& value) override;
  void DoDeserialize(const std::string& name, SRect& value) override;
  void DoDeserialize(const std::string& name, SVector4& value) override;
  void DoDeserialize(const std::string& name, SMatrix& value) override;
  void DoDeserialize(const std::string& name, SVector3& value) override;
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

  // Raises on a syntax error and keeps the previous document; on success the reader stands at the
  // document level of the new one.
  void DoParseText(const std::string& text) override;
  void DoBeginChild(unsigned int index) override;
  void DoBeginChild(const std::string& name) override;
  // Raises at the document level, where there is no element to leave.
  void DoEndChild() override;
  unsigned int DoGetChildCount() override;
  std::string DoGetNodeName() override;
  // The clone always widens with "Russian", the code page of the documents the program writes.
  boost::shared_ptr<SDeserializator> DoClone(const std::wstring& path) override;
  bool DoIsAvialableName(const std::string& name) override;
  bool DoIsHaveChild(const std::string& name) override;

  std::string GetAttribute(const std::string& name);
  std::wstring StringToWString(const std::string& text) const;

 private:
  template <typename Record>
  void DeserializeRecord(const std::string& name, Record& value);
  template <typename Value>
  void DeserializeScalar(const std::string& name, Value& value);
  // The current element, or the document itself at the document level.
  TiXmlNode* CurrentNode() const;
  TiXmlElement* RequireElement() const;

  TiXmlElement* m_Current;
  boost::shared_ptr<TiXmlDocument> m_Document;
  Platform::CodePage m_Locale;
};

}  // namespace SCore
