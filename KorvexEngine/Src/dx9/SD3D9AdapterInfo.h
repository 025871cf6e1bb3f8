#pragma once

#include "Platform/D3D9.h"

#include <vector>

namespace SCore {

// The adapters of a Direct3D object; entry i of each list belongs to adapter i.
class SD3D9AdapterInfo {
 public:
  // A failure stops the enumeration; the lists keep what was read before it.
  void FillAdapterInfo(IDirect3D9* d3d);

  std::vector<D3DDISPLAYMODE> DisplayModes;
  std::vector<D3DADAPTER_IDENTIFIER9> Identifiers;
  // Every mode in the format of the adapter's current display mode.
  std::vector<std::vector<D3DDISPLAYMODE>> ModeLists;
  std::vector<D3DCAPS9> Caps;

 private:
  void AddAdapter(IDirect3D9* d3d, UINT adapter);
};

}  // namespace SCore
