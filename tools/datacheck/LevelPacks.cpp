#include "LevelPacks.h"

#include "ReaderWalk.h"
#include "TrainerScript.h"

#include <algorithm>

namespace DataCheck {

namespace {

const char* const kMainPackPath = "Levels\\levelpack.xml";
const char* const kBonusPackPath = "Levels\\bonuslevelpack.xml";
const char* const kComicsPackPath = "Levels\\comics.xml";
// A tool type is "VGTT_" and the spell; the level's frame shows the spell's icon "SPELL" and the spell.
const std::string kToolTypePrefix = "VGTT_";
const std::string kSpellIconPrefix = "SPELL";

}  // namespace

void LevelPacks::Check() {
  CheckPack(kMainPackPath, true);
  CheckPack(kBonusPackPath, false);
  CheckComicsPack();
}

void LevelPacks::CheckPack(const std::string& packPath, bool isMain) {
  const std::unique_ptr<DataFile> pack = m_session.OpenFixed("level pack", packPath, DataFile::Dialect::Engine);
  if (!pack) return;
  m_session.ReadList(*pack, "LevelPack", [&](SCore::SDeserializator& reader) {
    const std::string path = Attribute(reader, "Path");
    const std::string name = Attribute(reader, "Name");
    if (isMain) m_session.mainLevelNames.push_back(name);
    CheckLevel(pack->AtAttribute("Path", path), path, name);
  });
}

void LevelPacks::CheckLevel(const Location& referrer, const std::string& written, const std::string& packName) {
  const std::unique_ptr<DataFile> level = m_session.Open(referrer, "level file", written, DataFile::Dialect::Engine);
  if (!level) return;
  m_session.Read(*level, [&](SCore::SDeserializator& reader) {
    m_session.CheckTextureUses(*level);
    Within(reader, "Level", [&] {
      const std::string name = Attribute(reader, "Name");
      const Location namedAt = level->AtAttribute("Name", name);
      if (name != packName) {
        m_session.Faults().Add(namedAt,
                               "the level calls itself \"" + name + "\" but its pack names it \"" + packName + "\"");
      }
      if (reader.DoIsAvialableName("Help")) {
        const std::string help = Attribute(reader, "Help");
        CheckTrainerScript(m_session, level->AtAttribute("Help", help), help);
      }
      CheckTools(*level);
      CheckPlacedObjects(*level);
    });
  });
}

void LevelPacks::CheckTools(DataFile& level) {
  SCore::SDeserializator& reader = level.Reader();
  Within(reader, "Tools", [&] {
    ForEachChild(reader, [&] {
      const std::string toolType = Attribute(reader, "ToolType");
      const Location at = level.AtAttribute("ToolType", toolType);
      if (toolType.compare(0, kToolTypePrefix.size(), kToolTypePrefix) != 0) {
        m_session.Faults().Add(at, "tool type \"" + toolType + "\" does not start with " + kToolTypePrefix);
        return;
      }
      m_session.textures.Require(m_session.Faults(), at, kSpellIconPrefix + toolType.substr(kToolTypePrefix.size()));
    });
  });
}

void LevelPacks::CheckPlacedObjects(DataFile& level) {
  // Without a readable object list every name would be a fault of its own.
  if (m_session.objectNames.empty()) return;
  SCore::SDeserializator& reader = level.Reader();
  Within(reader, "World", [&] {
    Within(reader, "GameObjects", [&] {
      ForEachChild(reader, [&] {
        const std::string name = Attribute(reader, "Name");
        const Location at = level.AtAttribute("Name", name);
        if (m_session.objectNames.count(name) == 0) {
          m_session.Faults().Add(at, "game object \"" + name + "\" is in no file of the game-object list");
        }
      });
    });
  });
}

void LevelPacks::CheckComicsPack() {
  const std::unique_ptr<DataFile> pack = m_session.OpenFixed("comics pack", kComicsPackPath, DataFile::Dialect::Engine);
  if (!pack) return;
  const std::vector<std::string>& levels = m_session.mainLevelNames;
  m_session.ReadList(*pack, "ComicsPack", [&](SCore::SDeserializator& reader) {
    const std::string levelName = Attribute(reader, "LevelName");
    const std::string path = Attribute(reader, "ComicsPath");
    const Location namedAt = pack->AtAttribute("LevelName", levelName);
    if (std::find(levels.begin(), levels.end(), levelName) == levels.end()) {
      m_session.Faults().Add(namedAt, "comics for level \"" + levelName + "\", which the main pack does not list");
    }
    CheckComics(pack->AtAttribute("ComicsPath", path), path);
  });
}

void LevelPacks::CheckComics(const Location& referrer, const std::string& written) {
  const std::unique_ptr<DataFile> comics = m_session.Open(referrer, "comics file", written, DataFile::Dialect::Engine);
  if (!comics) return;
  m_session.Read(*comics, [&](SCore::SDeserializator& reader) {
    m_session.CheckTextureUses(*comics);
    Within(reader, "AnimationTrack", [&] {
      Within(reader, "Frames", [] {});
      Within(reader, "Meshes", [] {});
    });
  });
}

}  // namespace DataCheck
