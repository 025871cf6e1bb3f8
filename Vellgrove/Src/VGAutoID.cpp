#include "VGAutoID.h"

#include "GlobalObjectOrder.h"

namespace Vellgrove {

__attribute__((init_priority(VGORDER_AUTO_ID))) VGAutoID g_autoID;

}  // namespace Vellgrove
