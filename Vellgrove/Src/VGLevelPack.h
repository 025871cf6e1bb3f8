#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "VGLockGuard.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace SCore {
class SXMLDeserializator;
}  // namespace SCore

namespace Vellgrove {

class VGLevel;

// The ordered levels the player works through, each kept as the text of its file, and a cursor
// on the level to play next; past the last level the cursor is "done". A level object is parsed
// from its text only when asked for. The main thread reads the pack again (the developer's reload)
// while the world map's clicks read it on the input thread: every operation holds the pack's lock.
class VGLevelPack : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  static const char* const kDone;

  void DoSerialize(SCore::SSerializator& writer) override;
  void DoDeserialize(SCore::SDeserializator& reader, unsigned int index) override;
  // Reading a pack replaces its levels; the cursor goes back to the level of the same Name, else
  // to the first. A read that fails leaves the pack as it was.
  void DoDeserialize(SCore::SDeserializator& reader) override;

  // Raises, adding nothing, when the file is missing or its top element lacks a name.
  void AddLevel(const std::string& name, const std::wstring& path);
  void Reset();
  // True while the cursor then stands on a level; raises at "done".
  bool Next();
  // "" goes to the first level, "None" to "done", another name to its first level; an unknown
  // name leaves the cursor where it is.
  void SetCurrentLevel(const std::string& name);
  // "done" gives the number of levels; an unknown name 0.
  unsigned int GetLevelIndex(const std::string& name) const;
  std::string GetCurrentLevelName() const;
  std::string GetCurrentLevelShowName() const;
  std::string GetLevelName(unsigned int index) const;
  std::string GetLevelShowName(unsigned int index) const;
  unsigned int GetLevelCount() const;
  // A new level from the text at the cursor; a level that fails to read names its file.
  boost::shared_ptr<VGLevel> GetLevel();

  float m_moveForce = 1.1f;
  float m_moveAttenuation = 1.0f;

 private:
  // The show name comes from the level's own file; the Name is the pack file's.
  struct Entry {
    std::string Text;
    std::string Name;
    std::wstring Path;
    std::string ShowName;
  };
  typedef std::vector<Entry> Entries;

  static Entries ReadEntries(SCore::SDeserializator& reader);
  static Entry ReadEntry(const std::string& name, const std::wstring& path, SCore::SXMLDeserializator& scanner);
  static void ScanLevelNames(Entry& entry, SCore::SXMLDeserializator& scanner);
  void RequireIndex(unsigned int index) const;
  void RequireCurrent() const;

  Entries m_levels;
  size_t m_current = 0;
  mutable VGLockGuard m_lock;
};

extern boost::shared_ptr<VGLevelPack> g_LevelPack;
extern boost::shared_ptr<VGLevelPack> g_BonusLevelPack;

}  // namespace Vellgrove
