#pragma once

#include "SSerializator.h"
#include "XMLNode.h"

#include "Platform/CodePage.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

// The document writer: builds the document in memory as a tree of XMLNode and writes it out, indented,
// when flushed. Wide texts are narrowed through the named locale ("Russian" is windows-1251).
class SXMLSerializator : public SSerializator {
 public:
  // Raises std::runtime_error for a locale name that names no code page.
  SXMLSerializator(const std::wstring& path, const std::string& localeName);
  ~SXMLSerializator() override;

  using SSerializator::DoSerialize;
  void DoSerialize(const std::string& name, const STextureParameters& value) override;
  void DoSerialize(const std::string& name, const STextureFiltration& value) override;
  void DoSerialize(const std::string& name, const STransformData& value) override;
  void DoSerialize(const std::string& name, const SSphere& value) override;
  void DoSerialize(const std::string& name, const SAABBox& value) override;
  void DoSerialize(const std::string& name, const SRect& value) override;
  void DoSerialize(const std::string& name, const SVector4& value) override;
  void DoSerialize(const std::string& name, const SMatrix& value) override;
  void DoSerialize(const std::string& name, const SVector3& value) override;
  void DoSerialize(const std::string& name, const std::wstring& value) override;
  void DoSerialize(const std::string& name, const std::string& value) override;
  void DoSerialize(const std::string& name, const double& value) override;
  void DoSerialize(const std::string& name, const float& value) override;
  void DoSerialize(const std::string& name, const long double& value) override;
  void DoSerialize(const std::string& name, const long long& value) override;
  void DoSerialize(const std::string& name, const unsigned long long& value) override;
  void DoSerialize(const std::string& name, const unsigned int& value) override;
  void DoSerialize(const std::string& name, const int& value) override;
  void DoSerialize(const std::string& name, const unsigned short& value) override;
  void DoSerialize(const std::string& name, const short& value) override;
  void DoSerialize(const std::string& name, const char& value) override;
  void DoSerialize(const std::string& name, const unsigned char& value) override;
  void DoSerialize(const std::string& name, const bool& value) override;

  void DoBeginChild(const std::string& name) override;
  // Raises at the top level, where there is no element to leave.
  void DoEndChild() override;
  void DoOpenDataSource(const std::wstring& path) override;
  // Replaces the file as one step (see ReplaceFileContent); raises when it cannot be written, and the
  // document stays in memory.
  void DoFlush() override;
  // The clone always narrows with "Russian", the code page of the documents the program writes.
  boost::shared_ptr<SSerializator> DoClone(const std::wstring& path) override;

  // Written verbatim at the very start of the file.
  void SetHeader(const std::string& header) { m_Header = header; }
  boost::shared_ptr<SXML::XMLNode> CreateNode(const std::string& name);
  std::string WStringToString(const std::wstring& text) const;

 private:
  template <typename Record>
  void SerializeRecord(const std::string& name, const Record& value);
  template <typename Value>
  void SerializeScalar(const std::string& name, const Value& value);
  void AppendAttribute(const std::string& name, const std::string& text);
  // The document as the file holds it: the header, then each top-level element, each line feed
  // stored as CR LF.
  std::string DocumentBytes() const;

  boost::shared_ptr<SXML::XMLNode> m_Root;
  boost::shared_ptr<SXML::XMLNode> m_Current;
  std::wstring m_Path;
  Platform::CodePage m_Locale;
  std::string m_Header;
};

}  // namespace SCore
