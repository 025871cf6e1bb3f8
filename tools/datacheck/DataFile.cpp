#include "DataFile.h"

#include "CreateTinyXMLDeserializator.h"
#include "SFileHelpers.h"
#include "SXMLDeserializator.h"

#include "Platform/NativePath.h"

namespace DataCheck {

namespace {

boost::shared_ptr<SCore::SDeserializator> OpenReader(const std::wstring& path, DataFile::Dialect dialect) {
  if (dialect == DataFile::Dialect::TinyXml) return Vellgrove::CreateTinyXMLDeserializator(path);
  return boost::shared_ptr<SCore::SDeserializator>(new SCore::SXMLDeserializator(path));
}

}  // namespace

DataFile::DataFile(const std::string& written, std::string displayPath, Dialect dialect)
    : m_written(written),
      m_displayPath(std::move(displayPath)),
      m_lines(ReadFileToString(Platform::WidenBytes(written))),
      m_reader(OpenReader(Platform::WidenBytes(written), dialect)) {}

Location DataFile::AtAttribute(const std::string& attribute, const std::string& value) {
  return At(m_lines.NextLineOfAttribute(attribute, value));
}

}  // namespace DataCheck
