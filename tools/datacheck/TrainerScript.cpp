#include "TrainerScript.h"

#include "ReaderWalk.h"

#include "VGLevelTrainer.h"
#include "VGLevelTrainerCommand.h"

namespace DataCheck {

void CheckTrainerScript(CheckSession& session, const Location& referrer, const std::string& written) {
  const std::unique_ptr<DataFile> script =
      session.Open(referrer, "trainer script", written, DataFile::Dialect::TinyXml);
  if (!script) return;
  session.Read(*script, [&](SCore::SDeserializator&) { session.CheckTextureUses(*script); });
  session.ReadList(*script, "LevelTrainer", [&](SCore::SDeserializator& reader) {
    const std::string type = Attribute(reader, "Type");
    const Location at = script->AtAttribute("Type", type);
    if (!Vellgrove::VGLevelTrainer::CreateCommand(type)) {
      session.Faults().Add(at, "unknown trainer command type \"" + type + "\"");
    }
  });
}

}  // namespace DataCheck
