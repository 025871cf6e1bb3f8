#include "CheckSession.h"

#include "ErrorText.h"
#include "ReaderWalk.h"
#include "WrittenPath.h"

namespace DataCheck {

namespace {

const std::vector<std::string> kTextureAttributes = {"Texture", "Texture1", "Texture2", "TextureName"};

}  // namespace

CheckSession::CheckSession(std::string dataFolder, std::string sourceFolder)
    : m_dataFolder(std::move(dataFolder)), m_sourceFolder(std::move(sourceFolder)) {}

Location CheckSession::DataLocation(const std::string& written, int line) const {
  return {m_dataFolder + "/" + WithSlashes(written), line};
}

bool CheckSession::CheckPath(const Location& referrer, const std::string& what, const std::string& written) {
  const std::string quoted = what + " \"" + written + "\"";
  const WrittenPath path = ResolveWrittenPath(written);
  if (path.writtenWithSlash) m_faults.Add(referrer, quoted + " is written with '/': the game writes '\\'");
  switch (path.state) {
    case WrittenPath::State::Missing:
      m_faults.Add(referrer, quoted + " not found");
      return false;
    case WrittenPath::State::CaseDiffers:
      m_faults.Add(referrer, quoted + " differs in case from the file on disk \"" + path.onDisk + "\"");
      return true;
    case WrittenPath::State::Exact:
      return true;
  }
  return false;
}

std::unique_ptr<DataFile> CheckSession::Open(const Location& referrer, const std::string& what,
                                             const std::string& written, DataFile::Dialect dialect) {
  if (!CheckPath(referrer, what, written)) return nullptr;
  try {
    return std::make_unique<DataFile>(written, DataLocation(written).file, dialect);
  } catch (const std::exception& error) {
    const std::string message = ReadableMessage(error);
    m_faults.Add(DataLocation(written, RowInMessage(message)), message);
    return nullptr;
  }
}

std::unique_ptr<DataFile> CheckSession::OpenFixed(const std::string& what, const std::string& written,
                                                  DataFile::Dialect dialect) {
  return Open(DataLocation(written), what, written, dialect);
}

void CheckSession::ReportReadFailure(const Location& where, const std::exception& error) {
  const std::string message = ReadableMessage(error);
  m_faults.Add({where.file, where.line != 0 ? where.line : RowInMessage(message)}, message);
}

bool CheckSession::Read(DataFile& file, const std::function<void(SCore::SDeserializator&)>& steps) {
  try {
    steps(file.Reader());
    return true;
  } catch (const std::exception& error) {
    ReportReadFailure(file.At(0), error);
    return false;
  }
}

bool CheckSession::ReadList(DataFile& file, const std::string& root,
                            const std::function<void(SCore::SDeserializator&)>& entry) {
  return Read(file, [&](SCore::SDeserializator& reader) {
    Within(reader, root, [&] { ForEachChild(reader, [&] { entry(reader); }); });
  });
}

void CheckSession::CheckTextureUses(DataFile& file) {
  for (const AttributeUse& use : CollectAttributes(file.Reader(), kTextureAttributes)) {
    textures.Require(m_faults, file.AtAttribute(use.attribute, use.value), use.value);
  }
}

}  // namespace DataCheck
