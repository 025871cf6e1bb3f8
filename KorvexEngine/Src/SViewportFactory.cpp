#include "SViewportFactory.h"

#include "SD3D9Viewport.h"
#include "srethrow.h"

namespace SCore {

boost::shared_ptr<SViewport> SViewportFactory::CreateViewport(const std::string& rendererName) {
  KORVEX_TRY
    if (rendererName == "D3D9Render") return boost::shared_ptr<SViewport>(new SD3D9Viewport);
    throw KorvexCoreException(("unknown Render name: " + rendererName).c_str());
  KORVEX_RETHROW("SViewportFactory::CreateViewport()", ".\\Src\\SViewportFactory")
}

}  // namespace SCore
