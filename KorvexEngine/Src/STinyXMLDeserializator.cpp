#include "STinyXMLDeserializator.h"

#include "SRecordFields.h"
#include "SValueText.h"
#include "srethrow.h"

#include "Platform/NativePath.h"

#include <tinyxml.h>

#include <type_traits>

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\STinyXMLDeserializator";

[[noreturn]] void RaiseNotDefined() { throw KorvexCoreException("method is not define"); }

[[noreturn]] void Raise(const std::string& message) { throw KorvexCoreException(message.c_str()); }

// TinyXML's own description of the first error, and where it stands when TinyXML knows.
std::string DescribeError(const TiXmlDocument& document) {
  std::string description = document.ErrorDesc();
  if (document.ErrorRow() > 0) {
    description += " (row " + std::to_string(document.ErrorRow()) + ", column " +
                   std::to_string(document.ErrorCol()) + ")";
  }
  return description;
}

}  // namespace

STinyXMLDeserializator::STinyXMLDeserializator(const std::string& localeName)
    : m_Current(nullptr), m_Document(new TiXmlDocument), m_Locale(localeName) {}

STinyXMLDeserializator::STinyXMLDeserializator(const std::wstring& path, const std::string& localeName)
    : m_Current(nullptr), m_Locale(localeName) {
  KORVEX_TRY
    m_Document.reset(new TiXmlDocument);
    if (!m_Document->LoadFile(Platform::ToNativePath(path).c_str(), TIXML_DEFAULT_ENCODING)) {
      Raise("can't load xml file: " + Platform::WideToUtf8(path) + ": " + DescribeError(*m_Document));
    }
  KORVEX_RETHROW("STinyXMLDeserializator::STinyXMLDeserializator", kSourcePath)
}

STinyXMLDeserializator::~STinyXMLDeserializator() = default;

TiXmlNode* STinyXMLDeserializator::CurrentNode() const {
  if (m_Current != nullptr) return m_Current;
  return m_Document.get();
}

TiXmlElement* STinyXMLDeserializator::RequireElement() const {
  if (m_Current == nullptr) Raise("Deserializator error: no current element at the document level");
  return m_Current;
}

std::string STinyXMLDeserializator::GetAttribute(const std::string& name) {
  KORVEX_TRY
    const char* text = RequireElement()->Attribute(name.c_str());
    if (text == nullptr) Raise("Deserializator error: can't find attribute:" + name);
    return text;
  KORVEX_RETHROW("STinyXMLDeserializator::GetAttribute", kSourcePath)
}

std::wstring STinyXMLDeserializator::StringToWString(const std::string& text) const {
  std::wstring wide;
  if (text.empty()) return wide;
  if (!m_Locale.ToWide(text, wide)) Raise("Cannot convert string to wstring. Locale: " + m_Locale.LocaleName());
  return wide;
}

// The record's element is entered and left through the reader's own navigation; a field that fails
// leaves the reader inside it.
template <typename Record>
void STinyXMLDeserializator::DeserializeRecord(const std::string& name, Record& value) {
  KORVEX_TRY
    DoBeginChild(name);
    ForEachFieldInReadOrder(value, [this, &name](const char* fieldName, auto& field) {
      field = AttributeTextToValue<std::decay_t<decltype(field)>>(GetAttribute(fieldName), fieldName, name);
    });
    DoEndChild();
  KORVEX_RETHROW("STinyXMLDeserializator::DoDeserialize", kSourcePath)
}

template <typename Value>
void STinyXMLDeserializator::DeserializeScalar(const std::string& name, Value& value) {
  KORVEX_TRY
    const std::string text = GetAttribute(name);
    value = AttributeTextToValue<Value>(text, name, m_Current->Value());
  KORVEX_RETHROW("STinyXMLDeserializator::DoDeserialize", kSourcePath)
}

void STinyXMLDeserializator::DoDeserialize(const std::string& name, STextureParameters& value) {
  DeserializeRecord(name, value);
}
void STinyXMLDeserializator::DoDeserialize(const std::string& name, STextureFiltration& value) {
  DeserializeRecord(name, value);
}
void STinyXMLDeserializator::DoDeserialize(const std::string& name, STransformData& value) {
  DeserializeRecord(name, value);
}
void STinyXMLDeserializator::DoDeserialize(const std::string& name, SSphere& value) { DeserializeRecord(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, SAABBox& value) { DeserializeRecord(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, SRect& value) { DeserializeRecord(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, SVector4& value) {
  DeserializeRecord(name, value);
}
void STinyXMLDeserializator::DoDeserialize(const std::string& name, SMatrix& value) { DeserializeRecord(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, SVector3& value) {
  DeserializeRecord(name, value);
}

void STinyXMLDeserializator::DoDeserialize(const std::string& name, std::wstring& value) {
  value = StringToWString(GetAttribute(name));
}

void STinyXMLDeserializator::DoDeserialize(const std::string& name, std::string& value) {
  KORVEX_TRY
    value = GetAttribute(name);
  KORVEX_RETHROW("STinyXMLDeserializator::DoDeserialize", kSourcePath)
}

void STinyXMLDeserializator::DoDeserialize(const std::string& name, double& value) { DeserializeScalar(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, float& value) { DeserializeScalar(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string&, long double&) { RaiseNotDefined(); }
void STinyXMLDeserializator::DoDeserialize(const std::string&, long long&) { RaiseNotDefined(); }
void STinyXMLDeserializator::DoDeserialize(const std::string&, unsigned long long&) { RaiseNotDefined(); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, unsigned int& value) {
  DeserializeScalar(name, value);
}
void STinyXMLDeserializator::DoDeserialize(const std::string& name, int& value) { DeserializeScalar(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, unsigned short& value) {
  DeserializeScalar(name, value);
}
void STinyXMLDeserializator::DoDeserialize(const std::string& name, short& value) { DeserializeScalar(name, value); }
void STinyXMLDeserializator::DoDeserialize(const std::string&, char&) { RaiseNotDefined(); }
void STinyXMLDeserializator::DoDeserialize(const std::string&, unsigned char&) { RaiseNotDefined(); }
void STinyXMLDeserializator::DoDeserialize(const std::string& name, bool& value) { DeserializeScalar(name, value); }

void STinyXMLDeserializator::DoParseText(const std::string& text) {
  // A failed parse leaves TinyXML's tree half built; it is never taken into use.
  boost::shared_ptr<TiXmlDocument> parsed(new TiXmlDocument);
  parsed->Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
  if (parsed->Error()) Raise("can't parse xml text: " + DescribeError(*parsed));
  m_Document = parsed;
  m_Current = nullptr;
}

void STinyXMLDeserializator::DoBeginChild(unsigned int index) {
  KORVEX_TRY
    TiXmlElement* child = CurrentNode()->FirstChildElement();
    for (unsigned int step = 0; child != nullptr && step < index; ++step) child = child->NextSiblingElement();
    if (child == nullptr) Raise("can't access unreal child");
    m_Current = child;
  KORVEX_RETHROW("STinyXMLDeserializator::DoBeginChild", kSourcePath)
}

void STinyXMLDeserializator::DoBeginChild(const std::string& name) {
  KORVEX_TRY
    TiXmlElement* child = CurrentNode()->FirstChildElement(name.c_str());
    if (child == nullptr) Raise("Deserializator error: can't find child node:" + name);
    m_Current = child;
  KORVEX_RETHROW("STinyXMLDeserializator::DoBeginChild", kSourcePath)
}

void STinyXMLDeserializator::DoEndChild() {
  KORVEX_TRY
    TiXmlNode* parent = RequireElement()->Parent();
    m_Current = parent == nullptr ? nullptr : parent->ToElement();
  KORVEX_RETHROW("STinyXMLDeserializator::DoEndChild", kSourcePath)
}

unsigned int STinyXMLDeserializator::DoGetChildCount() {
  unsigned int count = 0;
  for (TiXmlElement* child = CurrentNode()->FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
    ++count;
  }
  return count;
}

std::string STinyXMLDeserializator::DoGetNodeName() {
  KORVEX_TRY
    return RequireElement()->Value();
  KORVEX_RETHROW("STinyXMLDeserializator::DoGetNodeName", kSourcePath)
}

boost::shared_ptr<SDeserializator> STinyXMLDeserializator::DoClone(const std::wstring& path) {
  KORVEX_TRY
    return boost::shared_ptr<SDeserializator>(new STinyXMLDeserializator(path, "Russian"));
  KORVEX_RETHROW("STinyXMLDeserializator::DoClone", kSourcePath)
}

bool STinyXMLDeserializator::DoIsAvialableName(const std::string& name) {
  KORVEX_TRY
    return m_Current != nullptr && m_Current->Attribute(name.c_str()) != nullptr;
  KORVEX_RETHROW("STinyXMLDeserializator::DoIsAvialableName", kSourcePath)
}

bool STinyXMLDeserializator::DoIsHaveChild(const std::string& name) {
  KORVEX_TRY
    return CurrentNode()->FirstChildElement(name.c_str()) != nullptr;
  KORVEX_RETHROW("STinyXMLDeserializator::DoIsHaveChild", kSourcePath)
}

}  // namespace SCore
