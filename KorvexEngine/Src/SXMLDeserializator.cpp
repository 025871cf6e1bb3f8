#include "SXMLDeserializator.h"

#include "SFileHelpers.h"
#include "SRecordFields.h"
#include "SValueText.h"
#include "XMLException.h"
#include "XMLParser.h"
#include "srethrow.h"

#include "Platform/NativePath.h"

#include <type_traits>

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\SXMLDeserializator";
const char* const kBuiltInDocument = "<?xml version=\"1.0\" encoding=\"us-ascii\"?><root></root>";

[[noreturn]] void RaiseNotDefined() { throw KorvexCoreException("method is not define"); }

[[noreturn]] void RaiseInFile(const std::wstring& path, const std::string& what) {
  const std::string message = "File [" + Platform::WideToUtf8(path) + "] " + what;
  throw KorvexCoreException(message.c_str());
}

}  // namespace

SXMLDeserializator::SXMLDeserializator() : m_Text(kBuiltInDocument) { ParseText(); }

SXMLDeserializator::SXMLDeserializator(const std::wstring& path) {
  KORVEX_TRY
    LoadFile(path);
    try {
      ParseText();
    } catch (const KorvexCoreException& error) {
      RaiseInFile(path, error.what());
    }
    // A data file always holds at least one element; an empty or non-XML file is a damaged one.
    if (m_Root->Children.empty()) RaiseInFile(path, "holds no XML element");
  KORVEX_RETHROW("SXMLDeserializator::SXMLDeserializator", kSourcePath)
}

SXMLDeserializator::~SXMLDeserializator() = default;

void SXMLDeserializator::LoadFile(const std::wstring& path) {
  KORVEX_TRY
    m_Text = ReadFileToString(path);
  KORVEX_RETHROW("SXMLDeserializator::LoadFile", kSourcePath)
}

void SXMLDeserializator::ParseText() {
  KORVEX_TRY
    boost::shared_ptr<SXML::XMLNode> root;
    try {
      root = SXML::XMLParser(m_Text).GetRoot();
    } catch (const SXML::XMLException& error) {
      throw KorvexCoreException(error.what());
    }
    m_Root = root;
    m_Current = root;
  KORVEX_RETHROW("SXMLDeserializator::ParseText", kSourcePath)
}

boost::shared_ptr<SXML::XMLNode> SXMLDeserializator::FindChildOrRaise(const std::string& name) const {
  const boost::shared_ptr<SXML::XMLNode> child = SXML::FindChild(m_Current, name);
  if (!child) {
    const std::string message = "Deserializator error: can't find child node:" + name;
    throw KorvexCoreException(message.c_str());
  }
  return child;
}

template <typename Record>
void SXMLDeserializator::DeserializeRecord(const std::string& name, Record& value) {
  KORVEX_TRY
    const boost::shared_ptr<SXML::XMLNode> element = FindChildOrRaise(name);
    ForEachFieldInReadOrder(value, [&element](const char* fieldName, auto& field) {
      field = AttributeTextToValue<std::decay_t<decltype(field)>>(SXML::GetAttribute(element, fieldName)->GetValue(),
                                                                  fieldName, element->Name);
    });
  KORVEX_RETHROW("SXMLDeserializator::DoDeserialize", kSourcePath)
}

template <typename Value>
void SXMLDeserializator::DeserializeScalar(const std::string& name, Value& value) {
  KORVEX_TRY
    value = AttributeTextToValue<Value>(SXML::GetAttribute(m_Current, name)->GetValue(), name, m_Current->Name);
  KORVEX_RETHROW("SXMLDeserializator::DoDeserialize", kSourcePath)
}

void SXMLDeserializator::DoDeserialize(const std::string& name, STextureParameters& value) {
  DeserializeRecord(name, value);
}
void SXMLDeserializator::DoDeserialize(const std::string& name, STextureFiltration& value) {
  DeserializeRecord(name, value);
}
void SXMLDeserializator::DoDeserialize(const std::string& name, STransformData& value) {
  DeserializeRecord(name, value);
}
void SXMLDeserializator::DoDeserialize(const std::string& name, SSphere& value) { DeserializeRecord(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, SAABBox& value) { DeserializeRecord(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, SRect& value) { DeserializeRecord(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, SVector4& value) { DeserializeRecord(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, SMatrix& value) { DeserializeRecord(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, SVector3& value) { DeserializeRecord(name, value); }

void SXMLDeserializator::DoDeserialize(const std::string& name, std::wstring& value) {
  value = Platform::WidenBytes(SXML::GetAttribute(m_Current, name)->GetValue());
}

void SXMLDeserializator::DoDeserialize(const std::string& name, std::string& value) {
  KORVEX_TRY
    value = SXML::GetAttribute(m_Current, name)->GetValue();
  KORVEX_RETHROW("SXMLDeserializator::DoDeserialize", kSourcePath)
}

void SXMLDeserializator::DoDeserialize(const std::string& name, double& value) { DeserializeScalar(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, float& value) { DeserializeScalar(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string&, long double&) { RaiseNotDefined(); }
void SXMLDeserializator::DoDeserialize(const std::string&, long long&) { RaiseNotDefined(); }
void SXMLDeserializator::DoDeserialize(const std::string&, unsigned long long&) { RaiseNotDefined(); }
void SXMLDeserializator::DoDeserialize(const std::string& name, unsigned int& value) { DeserializeScalar(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, int& value) { DeserializeScalar(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string& name, unsigned short& value) {
  DeserializeScalar(name, value);
}
void SXMLDeserializator::DoDeserialize(const std::string& name, short& value) { DeserializeScalar(name, value); }
void SXMLDeserializator::DoDeserialize(const std::string&, char&) { RaiseNotDefined(); }
void SXMLDeserializator::DoDeserialize(const std::string&, unsigned char&) { RaiseNotDefined(); }
void SXMLDeserializator::DoDeserialize(const std::string& name, bool& value) { DeserializeScalar(name, value); }

void SXMLDeserializator::DoParseText(const std::string& text) {
  m_Text = text;
  ParseText();
}

void SXMLDeserializator::DoBeginChild(unsigned int index) {
  KORVEX_TRY
    if (index >= m_Current->Children.size()) throw KorvexCoreException("can't access unreal child");
    m_Current = m_Current->Children[index];
  KORVEX_RETHROW("SXMLDeserializator::DoBeginChild", kSourcePath)
}

void SXMLDeserializator::DoBeginChild(const std::string& name) {
  KORVEX_TRY
    m_Current = FindChildOrRaise(name);
  KORVEX_RETHROW("SXMLDeserializator::DoBeginChild", kSourcePath)
}

void SXMLDeserializator::DoEndChild() {
  KORVEX_TRY
    const boost::shared_ptr<SXML::XMLNode> parent = m_Current->Parent.lock();
    if (!parent) throw KorvexCoreException("Deserializator error: DoEndChild at the top level");
    m_Current = parent;
  KORVEX_RETHROW("SXMLDeserializator::DoEndChild", kSourcePath)
}

unsigned int SXMLDeserializator::DoGetChildCount() { return static_cast<unsigned int>(m_Current->Children.size()); }

std::string SXMLDeserializator::DoGetNodeName() {
  KORVEX_TRY
    return m_Current->Name;
  KORVEX_RETHROW("SXMLDeserializator::DoGetNodeName", kSourcePath)
}

boost::shared_ptr<SDeserializator> SXMLDeserializator::DoClone(const std::wstring& path) {
  KORVEX_TRY
    return boost::shared_ptr<SDeserializator>(new SXMLDeserializator(path));
  KORVEX_RETHROW("SXMLDeserializator::DoClone", kSourcePath)
}

bool SXMLDeserializator::DoIsAvialableName(const std::string& name) {
  KORVEX_TRY
    boost::shared_ptr<SXML::XMLAttribute> ignored;
    return SXML::FindAttribute(m_Current, name, ignored);
  KORVEX_RETHROW("SXMLDeserializator::DoIsAvialableName", kSourcePath)
}

bool SXMLDeserializator::DoIsHaveChild(const std::string& name) {
  KORVEX_TRY
    return static_cast<bool>(SXML::FindChild(m_Current, name));
  KORVEX_RETHROW("SXMLDeserializator::DoIsHaveChild", kSourcePath)
}

}  // namespace SCore
