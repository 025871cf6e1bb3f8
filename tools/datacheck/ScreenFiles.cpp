#include "ScreenFiles.h"

#include "ReaderWalk.h"
#include "TrainerScript.h"

namespace DataCheck {

namespace {

const struct {
  const char* path;
  const char* rootElement;
} kScreenFiles[] = {
    {"Levels\\map.xml", "map"},
    {"Levels\\map_bonus.xml", "map"},
    {"intro\\intro.xml", "Intro"},
};

const char* const kScreenTrainers[] = {
    "Levels\\map_trainer_1.xml",
    "Levels\\map_trainer_2.xml",
    "Levels\\score_trainer.xml",
};

}  // namespace

void ScreenFiles::Check() {
  for (const auto& file : kScreenFiles) CheckScreenFile(file.path, file.rootElement);
  for (const char* trainer : kScreenTrainers) CheckTrainerScript(m_session, m_session.DataLocation(trainer), trainer);
}

void ScreenFiles::CheckScreenFile(const std::string& written, const std::string& rootElement) {
  const std::unique_ptr<DataFile> file = m_session.OpenFixed("screen file", written, DataFile::Dialect::Engine);
  if (!file) return;
  m_session.Read(*file, [&](SCore::SDeserializator& reader) {
    m_session.CheckTextureUses(*file);
    Within(reader, rootElement, [] {});
  });
}

}  // namespace DataCheck
