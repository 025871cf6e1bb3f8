#include "CodeNames.h"

#include "LineFinder.h"

#include "VGGameSounds.h"

namespace DataCheck {

namespace {

const char* const kSoundTableSource = "VGGameSounds.cpp";

// The file as the table's source writes it, its backslashes doubled.
std::string AsLiteral(const std::string& path) {
  std::string literal = "\"";
  for (const char c : path) literal += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return literal + "\"";
}

}  // namespace

void CodeNames::Check() {
  for (const CodeName& name : ScanCodeNames(m_session.SourceFolder())) CheckName(name);
  CheckSoundTableFiles();
}

void CodeNames::CheckName(const CodeName& name) {
  switch (name.kind) {
    case CodeNameKind::Texture:
      m_session.textures.Require(m_session.Faults(), name.where, name.name);
      break;
    case CodeNameKind::Sound:
      CheckSound(name.where, name.name);
      break;
    case CodeNameKind::Music:
      m_session.CheckPath(name.where, "music file", name.name);
      break;
    case CodeNameKind::Text:
      CheckText(name.where, name.name);
      break;
  }
}

void CodeNames::CheckSound(const Location& where, const std::string& name) {
  for (std::size_t i = 0; i < Vellgrove::g_GameSoundCount; ++i) {
    if (name == Vellgrove::g_GameSounds[i].name) return;
  }
  m_session.Faults().Add(where, "sound \"" + name + "\" is not in the game's sound table");
}

void CodeNames::CheckText(const Location& where, const std::string& key) {
  if (!m_session.textsRead) return;
  try {
    m_session.texts.GetText(key);
  } catch (const std::exception&) {
    m_session.Faults().Add(where, "text key \"" + key + "\" is not in the strings file");
  }
}

void CodeNames::CheckSoundTableFiles() {
  const std::string source = GameSourceFolder(m_session.SourceFolder()) + "/" + kSoundTableSource;
  LineFinder lines(ReadSourceText(source));
  for (std::size_t i = 0; i < Vellgrove::g_GameSoundCount; ++i) {
    const std::string file = Vellgrove::g_GameSounds[i].file;
    m_session.CheckPath({source, lines.NextLineOf(AsLiteral(file))}, "sound file", file);
  }
}

}  // namespace DataCheck
