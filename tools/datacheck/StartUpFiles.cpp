#include "StartUpFiles.h"

#include "ReaderWalk.h"

#include "FontGlyphs.h"
#include "GameGlobals.h"
#include "VGConfiguration.h"

#include "Platform/NativePath.h"

namespace DataCheck {

namespace {

const char* const kConfigurationPath = "config.xml";
const char* const kGameObjectListPath = "gameobjects\\quessaworldNEW.xml";

std::string Narrow(const std::wstring& path) { return Platform::WideToUtf8(path); }

}  // namespace

bool StartUpFiles::Check() {
  const std::unique_ptr<DataFile> configuration =
      m_session.OpenFixed("configuration file", kConfigurationPath, DataFile::Dialect::Engine);
  if (!configuration || !CheckConfiguration(*configuration)) return false;
  CheckGameObjects();
  return true;
}

bool StartUpFiles::CheckConfiguration(DataFile& configuration) {
  Vellgrove::VGConfiguration read;
  try {
    read = Vellgrove::ReadConfiguration(Platform::WidenBytes(kConfigurationPath));
  } catch (const std::exception& error) {
    m_session.ReportReadFailure(configuration.At(0), error);
    return false;
  }
  CheckTextureList(configuration, read.texturePath);
  CheckFont(configuration);
  CheckStrings(configuration);
  CheckTrophies(configuration);
  return true;
}

void StartUpFiles::CheckTextureList(DataFile& configuration, const std::string& listPath) {
  const std::unique_ptr<DataFile> list = m_session.Open(configuration.AtAttribute("texturepath", listPath),
                                                        "texture list", listPath, DataFile::Dialect::Engine);
  if (!list) return;
  std::set<std::string> names;
  const bool read = m_session.ReadList(*list, "Textures", [&](SCore::SDeserializator& reader) {
    const std::string name = Attribute(reader, "Name");
    const std::string path = Attribute(reader, "Path");
    const Location at = list->AtAttribute("Name", name);
    // The texture manager refuses a second texture of a name, and the game with it.
    if (!names.insert(name).second) m_session.Faults().Add(at, "texture \"" + name + "\" is listed twice");
    m_session.CheckPath(list->AtAttribute("Path", path), "picture of texture \"" + name + "\"", path);
  });
  if (read) m_session.textures.Fill(std::move(names), listPath);
}

void StartUpFiles::CheckFont(DataFile& configuration) {
  const std::string path = Narrow(Vellgrove::g_FontPath);
  m_session.textures.Require(m_session.Faults(), configuration.AtAttribute("name", Vellgrove::g_FontName),
                             Vellgrove::g_FontName);
  if (!m_session.CheckPath(configuration.AtAttribute("path", path), "glyph table", path)) return;
  try {
    Vellgrove::LoadFontGlyphs();
  } catch (const std::exception& error) {
    m_session.ReportReadFailure(m_session.DataLocation(path), error);
  }
}

void StartUpFiles::CheckStrings(DataFile& configuration) {
  const std::string path = Narrow(Vellgrove::g_StringsPath);
  if (!m_session.CheckPath(configuration.AtAttribute("path", path), "strings file", path)) return;
  try {
    m_session.texts.Load(Vellgrove::g_StringsPath);
    m_session.textsRead = true;
  } catch (const std::exception& error) {
    m_session.ReportReadFailure(m_session.DataLocation(path), error);
  }
}

void StartUpFiles::CheckTrophies(DataFile& configuration) {
  const std::string path = Narrow(Vellgrove::g_TrophiesPath);
  const std::unique_ptr<DataFile> trophies =
      m_session.Open(configuration.AtAttribute("path", path), "trophies file", path, DataFile::Dialect::TinyXml);
  if (!trophies) return;
  m_session.ReadList(*trophies, "Trophies", [](SCore::SDeserializator& reader) {
    std::wstring description;
    reader.DoDeserialize("Name", description);
  });
}

void StartUpFiles::CheckGameObjects() {
  const std::unique_ptr<DataFile> list =
      m_session.OpenFixed("game-object list", kGameObjectListPath, DataFile::Dialect::Engine);
  if (!list) return;
  m_session.Read(*list, [&](SCore::SDeserializator& reader) {
    Within(reader, "world", [&] {
      const std::string folder = Attribute(reader, "directory");
      ForEachChild(reader, [&] {
        const std::string file = Attribute(reader, "file");
        // Joined as the game's object factory joins them.
        CheckGameObjectFile(list->AtAttribute("file", file), folder + "\\" + file);
      });
    });
  });
}

void StartUpFiles::CheckGameObjectFile(const Location& referrer, const std::string& written) {
  const std::unique_ptr<DataFile> object = m_session.Open(referrer, "object file", written, DataFile::Dialect::Engine);
  if (!object) return;
  m_session.Read(*object, [&](SCore::SDeserializator& reader) {
    m_session.CheckTextureUses(*object);
    Within(reader, "GameObject", [&] { m_session.objectNames.insert(Attribute(reader, "Name")); });
  });
}

}  // namespace DataCheck
