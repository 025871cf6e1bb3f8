#include "SXMLSerializator.h"

#include "SFileReplace.h"
#include "SRecordFields.h"
#include "SValueText.h"
#include "XMLOutput.h"
#include "srethrow.h"

#include <boost/make_shared.hpp>

#include <sstream>

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\SXMLSerializator";

[[noreturn]] void RaiseNotDefined() { throw KorvexCoreException("method is not define"); }

// The file is written in text mode, as the documents have always been stored.
std::string WithCarriageReturns(const std::string& text) {
  std::string stored;
  stored.reserve(text.size() + text.size() / 16);
  for (const char byte : text) {
    if (byte == '\n') stored += '\r';
    stored += byte;
  }
  return stored;
}

}  // namespace

SXMLSerializator::SXMLSerializator(const std::wstring& path, const std::string& localeName)
    : m_Root(boost::make_shared<SXML::XMLNode>("root")), m_Current(m_Root), m_Path(path), m_Locale(localeName) {}

SXMLSerializator::~SXMLSerializator() = default;

template <typename Record>
void SXMLSerializator::SerializeRecord(const std::string& name, const Record& value) {
  KORVEX_TRY
    const boost::shared_ptr<SXML::XMLNode> node = CreateNode(name);
    Record fields = value;  // the shared field table visits fields it may change
    ForEachField(fields, [&node](const char* fieldName, const auto& field) {
      node->Attributes.push_back(boost::make_shared<SXML::XMLAttribute>(fieldName, ValueToText(field), node));
    });
    SXML::XMLNode::AppendChild(m_Current, node);
  KORVEX_RETHROW("SXMLSerializator::DoSerialize", kSourcePath)
}

template <typename Value>
void SXMLSerializator::SerializeScalar(const std::string& name, const Value& value) {
  KORVEX_TRY
    AppendAttribute(name, ValueToText(value));
  KORVEX_RETHROW("SXMLSerializator::DoSerialize", kSourcePath)
}

void SXMLSerializator::AppendAttribute(const std::string& name, const std::string& text) {
  m_Current->Attributes.push_back(boost::make_shared<SXML::XMLAttribute>(name, text, m_Current));
}

void SXMLSerializator::DoSerialize(const std::string& name, const STextureParameters& value) {
  SerializeRecord(name, value);
}
void SXMLSerializator::DoSerialize(const std::string& name, const STextureFiltration& value) {
  SerializeRecord(name, value);
}
void SXMLSerializator::DoSerialize(const std::string& name, const STransformData& value) {
  SerializeRecord(name, value);
}
void SXMLSerializator::DoSerialize(const std::string& name, const SSphere& value) { SerializeRecord(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const SAABBox& value) { SerializeRecord(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const SRect& value) { SerializeRecord(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const SVector4& value) { SerializeRecord(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const SMatrix& value) { SerializeRecord(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const SVector3& value) { SerializeRecord(name, value); }

void SXMLSerializator::DoSerialize(const std::string& name, const std::wstring& value) {
  KORVEX_TRY
    AppendAttribute(name, WStringToString(value));
  KORVEX_RETHROW("SXMLSerializator::DoSerialize", kSourcePath)
}

void SXMLSerializator::DoSerialize(const std::string& name, const std::string& value) {
  KORVEX_TRY
    AppendAttribute(name, value);
  KORVEX_RETHROW("SXMLSerializator::DoSerialize", kSourcePath)
}

void SXMLSerializator::DoSerialize(const std::string& name, const double& value) { SerializeScalar(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const float& value) { SerializeScalar(name, value); }
void SXMLSerializator::DoSerialize(const std::string&, const long double&) { RaiseNotDefined(); }
void SXMLSerializator::DoSerialize(const std::string&, const long long&) { RaiseNotDefined(); }
void SXMLSerializator::DoSerialize(const std::string&, const unsigned long long&) { RaiseNotDefined(); }
void SXMLSerializator::DoSerialize(const std::string& name, const unsigned int& value) { SerializeScalar(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const int& value) { SerializeScalar(name, value); }
void SXMLSerializator::DoSerialize(const std::string& name, const unsigned short& value) {
  SerializeScalar(name, value);
}
void SXMLSerializator::DoSerialize(const std::string& name, const short& value) { SerializeScalar(name, value); }
void SXMLSerializator::DoSerialize(const std::string&, const char&) { RaiseNotDefined(); }
void SXMLSerializator::DoSerialize(const std::string&, const unsigned char&) { RaiseNotDefined(); }
void SXMLSerializator::DoSerialize(const std::string& name, const bool& value) { SerializeScalar(name, value); }

void SXMLSerializator::DoBeginChild(const std::string& name) {
  KORVEX_TRY
    const boost::shared_ptr<SXML::XMLNode> child = CreateNode(name);
    SXML::XMLNode::AppendChild(m_Current, child);
    m_Current = child;
  KORVEX_RETHROW("SXMLSerializator::DoBeginChild", kSourcePath)
}

void SXMLSerializator::DoEndChild() {
  KORVEX_TRY
    const boost::shared_ptr<SXML::XMLNode> parent = m_Current->Parent.lock();
    if (!parent) throw KorvexCoreException("Serializator error: DoEndChild at the top level");
    m_Current = parent;
  KORVEX_RETHROW("SXMLSerializator::DoEndChild", kSourcePath)
}

void SXMLSerializator::DoOpenDataSource(const std::wstring& path) {
  KORVEX_TRY
    DoFlush();
    m_Root = boost::make_shared<SXML::XMLNode>("root");
    m_Path = path;
    m_Current = m_Root;
  KORVEX_RETHROW("SXMLSerializator::DoOpenDataSource", kSourcePath)
}

void SXMLSerializator::DoFlush() {
  KORVEX_TRY
    ReplaceFileContent(m_Path, DocumentBytes());
  KORVEX_RETHROW("SXMLSerializator::DoFlush", kSourcePath)
}

std::string SXMLSerializator::DocumentBytes() const {
  std::ostringstream document;
  document << m_Header;
  for (const auto& element : m_Root->Children) SXML::WriteNode(document, *element);
  return WithCarriageReturns(document.str());
}

boost::shared_ptr<SSerializator> SXMLSerializator::DoClone(const std::wstring& path) {
  KORVEX_TRY
    return boost::shared_ptr<SSerializator>(new SXMLSerializator(path, "Russian"));
  KORVEX_RETHROW("SXMLSerializator::DoClone", kSourcePath)
}

boost::shared_ptr<SXML::XMLNode> SXMLSerializator::CreateNode(const std::string& name) {
  KORVEX_TRY
    return boost::make_shared<SXML::XMLNode>(name);
  KORVEX_RETHROW("SXMLSerializator::CreateNode", kSourcePath)
}

std::string SXMLSerializator::WStringToString(const std::wstring& text) const {
  std::string narrow;
  if (text.empty()) return narrow;
  if (!m_Locale.ToNarrow(text, narrow)) {
    const std::string message = "Cannot convert wstring to string. Locale: " + m_Locale.LocaleName();
    throw KorvexCoreException(message.c_str());
  }
  return narrow;
}

}  // namespace SCore
