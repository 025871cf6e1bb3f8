#include "VGLevelTrainerCommand.h"

#include "SDeserializator.h"

namespace Vellgrove {

void VGLevelTrainerCommand::DeserializeID(SCore::SDeserializator& reader) {
  if (reader.DoIsAvialableName("ID")) reader.DoDeserialize("ID", ID);
}

}  // namespace Vellgrove
