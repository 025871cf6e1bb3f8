#pragma once

#include "DataFile.h"
#include "FaultList.h"
#include "TextureRegistry.h"

#include "VGTextManager.h"

#include <exception>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace DataCheck {

// What the checks share: the faults, the folders, and the names that one file registers and
// others refer to. The working folder is the data folder, as it is the game's.
class CheckSession {
 public:
  CheckSession(std::string dataFolder, std::string sourceFolder);

  FaultList& Faults() { return m_faults; }
  const std::string& SourceFolder() const { return m_sourceFolder; }
  // A data file named as the user can open it.
  Location DataLocation(const std::string& written, int line = 0) const;

  // Faults of a path written in the data or the code; true when the game can read the file.
  bool CheckPath(const Location& referrer, const std::string& what, const std::string& written);
  // The file as the game's reader reads it; none when its path or its parse fails, the faults
  // told: those of the path where it is written, those of the parse at the file.
  std::unique_ptr<DataFile> Open(const Location& referrer, const std::string& what, const std::string& written,
                                 DataFile::Dialect dialect);
  // A file at a path the game's code fixes: a fault of its path is the file's own.
  std::unique_ptr<DataFile> OpenFixed(const std::string& what, const std::string& written, DataFile::Dialect dialect);
  void ReportReadFailure(const Location& where, const std::exception& error);
  // Runs reading steps on the file; whatever they raise is a fault of the file. True when they ran through.
  bool Read(DataFile& file, const std::function<void(SCore::SDeserializator&)>& steps);
  // Runs the action in each child of the file's root element, as the game reads its lists.
  bool ReadList(DataFile& file, const std::string& root, const std::function<void(SCore::SDeserializator&)>& entry);
  // Every texture a data file names (sprites, materials, animations, pages) must be listed.
  void CheckTextureUses(DataFile& file);

  TextureRegistry textures;
  // Names of the game-object files, as levels place them.
  std::set<std::string> objectNames;
  // Level names of the main pack, in its order.
  std::vector<std::string> mainLevelNames;
  Vellgrove::VGTextManager texts;
  bool textsRead = false;

 private:
  FaultList m_faults;
  std::string m_dataFolder;
  std::string m_sourceFolder;
};

}  // namespace DataCheck
