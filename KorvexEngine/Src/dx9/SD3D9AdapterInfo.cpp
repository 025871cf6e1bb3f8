#include "SD3D9AdapterInfo.h"

#include "KorvexCoreDX9Exception.h"
#include "SD3D9ResultTexts.h"
#include "SLoger.h"
#include "srethrow.h"

namespace SCore {

void SD3D9AdapterInfo::FillAdapterInfo(IDirect3D9* d3d) {
  KORVEX_TRY
    const UINT count = d3d->GetAdapterCount();
    // No time stamp and no line end: the next log text continues this line.
    g_Loger << "Find " << count << " adapters";
    for (UINT adapter = 0; adapter < count; ++adapter) AddAdapter(d3d, adapter);
  KORVEX_RETHROW("SD3D9AdapterInfo::FillAdapterInfo()", ".\\Src\\dx9\\SD3D9AdapterInfo")
}

void SD3D9AdapterInfo::AddAdapter(IDirect3D9* d3d, UINT adapter) {
  D3DDISPLAYMODE mode{};
  if (FAILED(d3d->GetAdapterDisplayMode(adapter, &mode)))
    throw KorvexCoreDX9Exception("can't get Adapter Display Mode : INVALIDCALL");
  DisplayModes.push_back(mode);

  D3DADAPTER_IDENTIFIER9 identifier{};
  if (FAILED(d3d->GetAdapterIdentifier(adapter, 0, &identifier)))
    throw KorvexCoreDX9Exception("can't get Adapter Identifier : INVALIDCALL");
  Identifiers.push_back(identifier);

  D3DCAPS9 caps{};
  RaiseIfFailed(d3d->GetDeviceCaps(adapter, D3DDEVTYPE_HAL, &caps), "can't get D3D9 Device Capabilitys: ",
                {{{D3DERR_OUTOFVIDEOMEMORY, "OUTOFVIDEOMEMORY"},
                  {D3DERR_INVALIDDEVICE, "INVALIDDEVICE"},
                  {D3DERR_INVALIDCALL, "INVALIDCALL"}},
                 "Unknown Error"});
  Caps.push_back(caps);

  // The mode was read successfully above; reading it again cannot tell anything new.
  d3d->GetAdapterDisplayMode(adapter, &mode);
  std::vector<D3DDISPLAYMODE> modes(d3d->GetAdapterModeCount(adapter, mode.Format));
  for (UINT index = 0; index < modes.size(); ++index) d3d->EnumAdapterModes(adapter, mode.Format, index, &modes[index]);
  ModeLists.push_back(modes);
}

}  // namespace SCore
