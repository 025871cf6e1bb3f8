#include "VGLevelPack.h"

#include "GlobalObjectOrder.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "SFileHelpers.h"
#include "SLoger.h"
#include "SSerializator.h"
#include "SXMLDeserializator.h"
#include "TScopedLock.h"
#include "VGLevel.h"
#include "WideToNarrow.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <utility>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGLevelPack";
const char* const kNone = "None";
typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

}  // namespace

const char* const VGLevelPack::kDone = "done";

__attribute__((init_priority(VGORDER_LEVEL_PACK))) boost::shared_ptr<VGLevelPack> g_LevelPack(new VGLevelPack);
__attribute__((init_priority(VGORDER_BONUS_LEVEL_PACK)))
boost::shared_ptr<VGLevelPack> g_BonusLevelPack(new VGLevelPack);

void VGLevelPack::DoSerialize(SCore::SSerializator& writer) {
  KORVEX_TRY
    Hold hold(m_lock);
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
    // Read whole before anything changes: a pack half read would leave levels without their names.
    Entries levels = ReadEntries(reader);
    // A second read (the game reloads its packs on request) replaces the levels rather than
    // doubling them, and keeps the player on the level they were on.
    Hold hold(m_lock);
    const std::string current = m_current < m_levels.size() ? m_levels[m_current].Name : std::string();
    m_levels.swap(levels);
    Reset();
    if (!current.empty()) SetCurrentLevel(current);
  KORVEX_RETHROW("VGLevelPack::DoDeserialize()", kSource)
}

VGLevelPack::Entries VGLevelPack::ReadEntries(SCore::SDeserializator& reader) {
  Entries levels;
  SCore::SXMLDeserializator scanner;
  reader.DoBeginChild("LevelPack");
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    reader.DoBeginChild(i);
    std::wstring path;
    std::string name;
    reader.DoDeserialize("Path", path);
    reader.DoDeserialize("Name", name);
    reader.DoEndChild();
    levels.push_back(ReadEntry(name, path, scanner));
  }
  reader.DoEndChild();
  return levels;
}

void VGLevelPack::AddLevel(const std::string& name, const std::wstring& path) {
  KORVEX_TRY
    SCore::SXMLDeserializator scanner;
    Entry entry = ReadEntry(name, path, scanner);
    Hold hold(m_lock);
    m_levels.push_back(std::move(entry));
  KORVEX_RETHROW("VGLevelPack::AddLevel()", kSource)
}

VGLevelPack::Entry VGLevelPack::ReadEntry(const std::string& name, const std::wstring& path,
                                          SCore::SXMLDeserializator& scanner) {
  Entry entry{ReadFileToString(path), name, path, std::string()};
  ScanLevelNames(entry, scanner);
  return entry;
}

void VGLevelPack::ScanLevelNames(Entry& entry, SCore::SXMLDeserializator& scanner) {
  scanner.DoParseText(entry.Text);
  scanner.DoBeginChild("Level");
  std::string ownName;
  scanner.DoDeserialize("ShowName", entry.ShowName);
  scanner.DoDeserialize("Name", ownName);
  scanner.DoEndChild();
  if (ownName != entry.Name) {
    SCore::g_Loger << SCore::GetTimeStamp() << " Level pack: the level [" << entry.Name << "] of "
                   << WideToNarrow(entry.Path) << " calls itself [" << ownName << "]\n";
  }
}

void VGLevelPack::Reset() {
  Hold hold(m_lock);
  m_current = 0;
}

bool VGLevelPack::Next() {
  Hold hold(m_lock);
  RequireCurrent();
  ++m_current;
  return m_current < m_levels.size();
}

void VGLevelPack::SetCurrentLevel(const std::string& name) {
  Hold hold(m_lock);
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
  Hold hold(m_lock);
  if (name == kDone) return GetLevelCount();
  for (size_t i = 0; i < m_levels.size(); ++i) {
    if (m_levels[i].Name == name) return static_cast<unsigned int>(i);
  }
  return 0;
}

unsigned int VGLevelPack::GetLevelCount() const {
  Hold hold(m_lock);
  return static_cast<unsigned int>(m_levels.size());
}

std::string VGLevelPack::GetCurrentLevelName() const {
  Hold hold(m_lock);
  return m_current < m_levels.size() ? m_levels[m_current].Name : kDone;
}

// Of namesakes, the first one's show name.
std::string VGLevelPack::GetCurrentLevelShowName() const {
  Hold hold(m_lock);
  if (m_current >= m_levels.size()) return kDone;
  return m_levels[GetLevelIndex(GetCurrentLevelName())].ShowName;
}

std::string VGLevelPack::GetLevelName(unsigned int index) const {
  Hold hold(m_lock);
  RequireIndex(index);
  return m_levels[index].Name;
}

std::string VGLevelPack::GetLevelShowName(unsigned int index) const {
  Hold hold(m_lock);
  RequireIndex(index);
  return m_levels[index].ShowName;
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
    Entry entry;
    {
      // A copy: the level is parsed without holding up the map's reads.
      Hold hold(m_lock);
      RequireCurrent();
      entry = m_levels[m_current];
    }
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
