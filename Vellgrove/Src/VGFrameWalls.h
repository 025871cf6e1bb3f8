#pragma once

namespace Vellgrove {

class VGLevel;

// The two invisible walls at the level's left and right edges that turn the characters round and
// whose lower end is the level's bottom, below which everything is lost.
void AddFrameWalls(VGLevel& level);

}  // namespace Vellgrove
