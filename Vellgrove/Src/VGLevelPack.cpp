#include "VGLevelPack.h"

#include "GlobalObjectOrder.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "SFileHelpers.h"
#include "SLoger.h"
#include "SSerializator.h"
#include "SXMLDeserializator.h"
#include "VGLevel.h"
#include "WideToNarrow.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGLevelPack";
const char* const kNone = "None";

}  // namespace

const char* const VGLevelPack::kDone = "done";

__attribute__((init_priority(VGORDER_LEVEL_PACK))) boost::shared_ptr<VGLevelPack> g_LevelPack(new VGLevelPack);
__attribute__((init_priority(VGORDER_BONUS_LEVEL_PACK)))
boost::shared_ptr<VGLevelPack> g_BonusLevelPack(new VGLevelPack);

void VGLevelPack::DoSerialize(SCore::SSerializator& writer) {
  KORVEX_TRY
    writer.DoBeginChild("LevelPack");
    for (const Entry& entry : m_levels) {
      writer.DoBeginChild("Level");
      writer.DoSerialize("Path", entry.Path);
      writer.DoSerialize("Name", entry.Name);
      writer.DoEndChild();
    }
    writer.DoEndChild();
  KORVEX_RETHROW("VGLevelPack::DoSerialize()", kSource)
}

void VGLevelPack::DoDeserialize(SCore::SDeserializator&, unsigned int) {}

void VGLevelPack::DoDeserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    // A second read (the game reloads its packs on request) replaces the levels rather than
    // doubling them, and keeps the player on the level they were on.
    const std::string current = m_current < m_levels.size() ? m_levels[m_current].Name : std::string();
    m_levels.clear();
    m_levelNames.clear();
    m_current = 0;
    reader.DoBeginChild("LevelPack");
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      std::wstring path;
      std::string name;
      reader.DoDeserialize("Path", path);
      reader.DoDeserialize("Name", name);
      reader.DoEndChild();
      AddLevel(name, path);
    }
    reader.DoEndChild();
    ScanLevelNames();
    Reset();
    if (!current.empty()) SetCurrentLevel(current);
  KORVEX_RETHROW("VGLevelPack::DoDeserialize()", kSource)
}

void VGLevelPack::AddLevel(const std::string& name, const std::wstring& path) {
  KORVEX_TRY
    m_levels.push_back(Entry{ReadFileToString(path), name, path});
  KORVEX_RETHROW("VGLevelPack::AddLevel()", kSource)
}

void VGLevelPack::ScanLevelNames() {
  SCore::SXMLDeserializator reader;
  for (size_t i = m_levelNames.size(); i < m_levels.size(); ++i) {
    Entry& entry = m_levels[i];
    reader.DoParseText(entry.Text);
    reader.DoBeginChild("Level");
    Names names;
    reader.DoDeserialize("ShowName", names.ShowName);
    reader.DoDeserialize("Name", names.Name);
    reader.DoEndChild();
    if (names.Name != entry.Name) {
      SCore::g_Loger << SCore::GetTimeStamp() << " Level pack: the level [" << entry.Name << "] of "
                     << WideToNarrow(entry.Path) << " calls itself [" << names.Name << "]\n";
    }
    m_levelNames.push_back(names);
  }
}

void VGLevelPack::Reset() { m_current = 0; }

bool VGLevelPack::Next() {
  RequireCurrent();
  ++m_current;
  return m_current < m_levels.size();
}

void VGLevelPack::SetCurrentLevel(const std::string& name) {
  if (name.empty()) {
    Reset();
  } else if (name == kNone) {
    m_current = m_levels.size();
  } else {
    for (size_t i = 0; i < m_levels.size(); ++i) {
      if (m_levels[i].Name == name) {
        m_current = i;
        return;
      }
    }
  }
}

unsigned int VGLevelPack::GetLevelIndex(const std::string& name) const {
  if (name == kDone) return GetLevelCount();
  for (size_t i = 0; i < m_levels.size(); ++i) {
    if (m_levels[i].Name == name) return static_cast<unsigned int>(i);
  }
  return 0;
}

std::string VGLevelPack::GetCurrentLevelName() const {
  return m_current < m_levels.size() ? m_levels[m_current].Name : kDone;
}

std::string VGLevelPack::GetCurrentLevelShowName() const {
  if (m_current >= m_levels.size()) return kDone;
  return m_levelNames[GetLevelIndex(GetCurrentLevelName())].ShowName;
}

std::string VGLevelPack::GetLevelName(unsigned int index) const {
  RequireIndex(index);
  return m_levels[index].Name;
}

std::string VGLevelPack::GetLevelShowName(unsigned int index) const {
  RequireIndex(index);
  return m_levelNames[index].ShowName;
}

void VGLevelPack::RequireIndex(unsigned int index) const {
  if (index >= m_levels.size()) {
    throw KorvexEngine::SEngineException(("level pack: no level at index " + std::to_string(index) + " of " +
                                          std::to_string(m_levels.size()))
                                             .c_str());
  }
}

void VGLevelPack::RequireCurrent() const {
  if (m_current >= m_levels.size()) throw KorvexEngine::SEngineException("level pack: no current level, it is done");
}

boost::shared_ptr<VGLevel> VGLevelPack::GetLevel() {
  KORVEX_TRY
    RequireCurrent();
    const Entry& entry = m_levels[m_current];
    const boost::shared_ptr<VGLevel> level(new VGLevel("UnknownLevel"));
    SCore::SXMLDeserializator reader;
    reader.DoParseText(entry.Text);
    const DWORD started = timeGetTime();
    try {
      level->DoDeserialize(reader);
    } catch (const SCore::KorvexCoreException& failure) {
      throw SCore::KorvexCoreException((std::string(failure.what()) + " in " + WideToNarrow(entry.Path)).c_str());
    }
    const float seconds = float(timeGetTime() - started) / 1000.0f;
    SCore::g_Loger << " Loading level[" << entry.Name << "] for " << seconds << "seconds\n";
    level->m_moveAttenuation = m_moveAttenuation;
    level->m_moveForce = m_moveForce;
    return level;
  KORVEX_RETHROW("VGLevelPack::GetLevel()", kSource)
}

}  // namespace Vellgrove
