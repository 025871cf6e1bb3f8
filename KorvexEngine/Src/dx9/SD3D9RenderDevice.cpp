#include "SD3D9RenderDevice.h"

#include "ApplyMaterialStage.h"
#include "GetPrimitiveCount.h"
#include "KorvexCoreDX9Exception.h"
#include "SD3D9ResultTexts.h"
#include "SLoger.h"
#include "STexture.h"
#include "SIndexBuffer.h"
#include "SVertexBuffer.h"
#include "TScopedLock.h"
#include "srethrow.h"

#include "Platform/Win32.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace SCore {

namespace {

const char* const kSource = ".\\Src\\dx9\\SD3D9RenderDevice";

typedef KorvexEngine::TScopedLock<SRenderLockGuard> SHold;

static_assert(sizeof(SMatrix) == sizeof(D3DMATRIX), "the engine's matrices have Direct3D's layout");

D3DMATRIX ToNative(const SMatrix& matrix) {
  D3DMATRIX native;
  std::memcpy(&native, &matrix, sizeof native);
  return native;
}

// Float render states travel as their 32-bit patterns.
DWORD FloatBits(float value) {
  DWORD bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

SMatrix FromNative(const D3DMATRIX& native) {
  SMatrix matrix;
  std::memcpy(static_cast<void*>(&matrix), &native, sizeof matrix);
  return matrix;
}

// Out-of-range operations are no errors: the stage keeps the operation it had.
bool IsTextureOperation(int operation) { return operation >= int(D3DTOP_DISABLE) && operation <= int(D3DTOP_LERP); }

int DisplayDepth(D3DFORMAT format) {
  if (format == D3DFMT_X8R8G8B8) return 32;
  if (format == D3DFMT_R5G6B5) return 16;
  throw KorvexCoreDX9Exception("Current Display Mode is not R5G6B5 or X8R8G8B8 format");
}

void ClientSize(HWND window, UINT& width, UINT& height) {
  RECT client{};
  GetClientRect(window, &client);
  width = UINT(client.right - client.left);
  height = UINT(client.bottom - client.top);
}

const SD3D9ResultTexts kCreateDeviceTexts = {{{D3DERR_OUTOFVIDEOMEMORY, "OUTOFVIDEOMEMORY"},
                                              {D3DERR_NOTAVAILABLE, "NOTAVAILABLE"},
                                              {D3DERR_INVALIDCALL, "INVALIDCALL"}},
                                             "UNKNOWN ERROR"};

const SD3D9ResultTexts kResetTexts = {{{E_OUTOFMEMORY, "E_OUTOFMEMORY)"},
                                       {D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY)"},
                                       {D3DERR_DRIVERINTERNALERROR, "D3DERR_DRIVERINTERNALERROR)"},
                                       {D3DERR_DEVICELOST, "D3DERR_DEVICELOST)"},
                                       {D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL)"}},
                                      "UNKNOWN ERROR)"};

}  // namespace

SD3D9RenderDevice::SD3D9RenderDevice() = default;

SD3D9RenderDevice::~SD3D9RenderDevice() { Kill(); }

// --- Creation ------------------------------------------------------------------------------------

void SD3D9RenderDevice::Create(HWND window, UINT width, UINT height, int colorDepth, int fullScreen) {
  KORVEX_TRY
    Init();
    m_adapter = ChooseAdapter();
    CreateD3DDevice(window, ChooseBehaviourFlags(), width, height, colorDepth, fullScreen);
  KORVEX_RETHROW("SD3D9RenderDevice::Create()", kSource)
}

void SD3D9RenderDevice::Init() {
  KORVEX_TRY
    CreateD3D9Device();
    m_adapterInfo.reset(new SD3D9AdapterInfo);
    m_adapterInfo->FillAdapterInfo(m_d3d);
  KORVEX_RETHROW("SD3D9RenderDevice::Init()", kSource)
}

void SD3D9RenderDevice::CreateD3D9Device() {
  KORVEX_TRY
    g_Loger << GetTimeStamp() << " Create D3D9...";
    if (m_d3d != nullptr) throw KorvexCoreDX9Exception("D3D9 Device already init");
    m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (m_d3d == nullptr) throw KorvexCoreDX9Exception("can't create D3D9 Device");
    g_Loger << GetTimeStamp() << " Done\n";
  KORVEX_RETHROW("SD3D9RenderDevice::CreateD3D9Device()", kSource)
}

UINT SD3D9RenderDevice::ChooseAdapter() {
  for (UINT adapter = 0; adapter < m_adapterInfo->DisplayModes.size(); ++adapter) {
    if ((m_adapterInfo->Caps[adapter].DevCaps & D3DDEVCAPS_PUREDEVICE) != 0) return adapter;
  }
  return 0;
}

DWORD SD3D9RenderDevice::ChooseBehaviourFlags() const {
  const bool pure = (m_adapterInfo->Caps[m_adapter].DevCaps & D3DDEVCAPS_PUREDEVICE) != 0;
  return pure ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
}

void SD3D9RenderDevice::CreateD3DDevice(HWND window, DWORD behaviourFlags, UINT width, UINT height, int colorDepth,
                                        int fullScreen) {
  KORVEX_TRY
    g_Loger << GetTimeStamp() << " Create D3D Device...\n";
    m_requestedWidth = width;
    m_requestedHeight = height;
    const int displayDepth = DisplayDepth(m_adapterInfo->DisplayModes[m_adapter].Format);
    if (fullScreen == 0) {
      if (colorDepth != 0 && colorDepth != displayDepth)
        throw KorvexCoreDX9Exception("In Windowed mode ColorDepth is not Display Color Depth");
      colorDepth = displayDepth;
    }
    BuildPresentParameters(window, colorDepth, fullScreen);
    const HRESULT result =
        m_d3d->CreateDevice(m_adapter, D3DDEVTYPE_HAL, window, behaviourFlags, &m_presentParameters, &m_device);
    PublishBackBufferSize();
    if (FAILED(result)) m_device = nullptr;
    RaiseIfFailed(result, "Can't create D3D9 Device: ", kCreateDeviceTexts);
    m_device->GetRenderTarget(0, &m_backBuffer);
    ViewRect = D3DVIEWPORT9{0, 0, m_presentParameters.BackBufferWidth, m_presentParameters.BackBufferHeight, 0.0f,
                            1.0f};
    DoSetView();
    m_window = window;
    LogPresentParameters();
    g_Loger << GetTimeStamp() << " Done\n";
  KORVEX_RETHROW("SD3D9RenderDevice::CreateD3DDevice()", kSource)
}

void SD3D9RenderDevice::BuildPresentParameters(HWND window, int colorDepth, int fullScreen) {
  D3DPRESENT_PARAMETERS& parameters = m_presentParameters;
  parameters = D3DPRESENT_PARAMETERS{};
  parameters.hDeviceWindow = window;
  parameters.BackBufferFormat = ColorDepthToFormat(colorDepth);
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.BackBufferCount = 1;
  parameters.Windowed = fullScreen == 0 ? TRUE : FALSE;
  if (fullScreen == 0) {
    ClientSize(window, parameters.BackBufferWidth, parameters.BackBufferHeight);
  } else {
    parameters.BackBufferWidth = m_requestedWidth;
    parameters.BackBufferHeight = m_requestedHeight;
  }
  parameters.FullScreen_RefreshRateInHz = 0;
  parameters.PresentationInterval = FindCompatiblePresentationInterval(m_adapter);
  parameters.EnableAutoDepthStencil = TRUE;
  parameters.AutoDepthStencilFormat =
      GetAllowableZBufferFormat(parameters.BackBufferFormat, parameters.BackBufferFormat, m_adapter);
}

void SD3D9RenderDevice::PublishBackBufferSize() {
  m_backBufferWidth = m_presentParameters.BackBufferWidth;
  m_backBufferHeight = m_presentParameters.BackBufferHeight;
}

D3DFORMAT SD3D9RenderDevice::ColorDepthToFormat(int bits) {
  if (bits == 16) return D3DFMT_R5G6B5;
  if (bits == 32) return D3DFMT_X8R8G8B8;
  return D3DFMT_UNKNOWN;
}

UINT SD3D9RenderDevice::FindCompatiblePresentationInterval(UINT adapter) {
  KORVEX_TRY
    // Unsynchronised presentation first, whenever the adapter allows it.
    static const DWORD kPreferred[] = {D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_ONE,
                                       D3DPRESENT_INTERVAL_TWO, D3DPRESENT_INTERVAL_THREE,
                                       D3DPRESENT_INTERVAL_FOUR};
    const DWORD offered = m_adapterInfo->Caps[adapter].PresentationIntervals;
    for (DWORD interval : kPreferred) {
      if ((offered & interval) != 0) return interval;
    }
    throw KorvexCoreDX9Exception("Can't find Compatible Presentation Interval");
  KORVEX_RETHROW("SD3D9RenderDevice::FindCompatiblePresentationInterval()", kSource)
}

D3DFORMAT SD3D9RenderDevice::GetAllowableZBufferFormat(D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                                                       UINT adapter) {
  KORVEX_TRY
    for (D3DFORMAT depthFormat : {D3DFMT_D32, D3DFMT_D16}) {
      if (TestZBufferFormat(adapterFormat, depthFormat, adapter, backBufferFormat)) return depthFormat;
    }
    return D3DFMT_UNKNOWN;
  KORVEX_RETHROW("SD3D9RenderDevice::GetAllowableZBufferFormat()", kSource)
}

bool SD3D9RenderDevice::TestZBufferFormat(D3DFORMAT adapterFormat, D3DFORMAT depthFormat, UINT adapter,
                                          D3DFORMAT backBufferFormat) {
  KORVEX_TRY
    if (FAILED(m_d3d->CheckDeviceFormat(adapter, D3DDEVTYPE_HAL, adapterFormat, D3DUSAGE_DEPTHSTENCIL,
                                        D3DRTYPE_SURFACE, depthFormat)))
      return false;
    return SUCCEEDED(
        m_d3d->CheckDepthStencilMatch(adapter, D3DDEVTYPE_HAL, adapterFormat, backBufferFormat, depthFormat));
  KORVEX_RETHROW("SD3D9RenderDevice::TestZBufferFormat()", kSource)
}

void SD3D9RenderDevice::LogPresentParameters() {
  const D3DPRESENT_PARAMETERS& p = m_presentParameters;
  g_Loger << GetTimeStamp() << " Present parameters: " << "\n";
  g_Loger << " AutoDepthStencilFormat:" << unsigned(p.AutoDepthStencilFormat) << "\n";
  g_Loger << " BackBufferCount:" << int(p.BackBufferCount) << "\n";
  g_Loger << " BackBufferFormat" << unsigned(p.BackBufferFormat) << "\n";
  g_Loger << " BackBufferHeight:" << int(p.BackBufferHeight) << "\n";
  g_Loger << " BackBufferWidth:" << int(p.BackBufferWidth) << "\n";
  g_Loger << " EnableAutoDepthStencil:" << unsigned(p.EnableAutoDepthStencil) << "\n";
  g_Loger << " Flags:" << int(p.Flags) << "\n";
  g_Loger << " FullScreen_RefreshRateInHz:" << int(p.FullScreen_RefreshRateInHz) << "\n";
  g_Loger << " hDeviceWindow:" << static_cast<const void*>(p.hDeviceWindow) << "\n";
  g_Loger << " MultiSampleQuality:" << int(p.MultiSampleQuality) << "\n";
  g_Loger << " MultiSampleType:" << unsigned(p.MultiSampleType) << "\n";
  g_Loger << " PresentationInterval:" << int(p.PresentationInterval) << "\n";
  g_Loger << " SwapEffect:" << unsigned(p.SwapEffect) << "\n";
  g_Loger << " Windowed:" << unsigned(p.Windowed) << "\n";
  g_Loger << "\n";
}

// --- Loss and reset ------------------------------------------------------------------------------

void SD3D9RenderDevice::TestCooperativeLevel() {
  KORVEX_TRY
    HRESULT result;
    {
      SHold hold(m_lock);
      result = m_device->TestCooperativeLevel();
    }
    if (result == D3DERR_DEVICELOST) {
      g_Loger << GetTimeStamp() << " SD3D9RenderDevice TestCooperativeLevel device lost\n";
      Sleep(1000);
      if (!m_isLost) {
        if (LostHandler) LostHandler->Invoke();
        m_isLost = true;
      }
    } else if (result == D3DERR_DEVICENOTRESET) {
      g_Loger << GetTimeStamp() << " SD3D9RenderDevice TestCooperativeLevel device not reset Reseting\n";
      Reset();
      g_Loger << GetTimeStamp() << " SD3D9RenderDevice TestCooperativeLevel device not reset reseting done\n";
      m_isLost = false;
      if (ResetHandler) ResetHandler->Invoke();
    }
  KORVEX_RETHROW("SD3D9RenderDevice::TestCooperativeLevel()", kSource)
}

void SD3D9RenderDevice::Reset() {
  KORVEX_TRY
    g_Loger << GetTimeStamp() << " SD3D9RenderDevice Reset\n";
    OnLostDevice();
    LogPresentParameters();
    HRESULT result;
    {
      SHold hold(m_lock);
      result = m_device->Reset(&m_presentParameters);
    }
    PublishBackBufferSize();
    g_Loger << GetTimeStamp() << " SD3D9RenderDevice Reset HRESULT:" << int(result) << "\n";
    RaiseIfFailed(result, "can't reset D3D9 device(", kResetTexts);
    OnResetDevice();
  KORVEX_RETHROW("SD3D9RenderDevice::Reset()", kSource)
}

void SD3D9RenderDevice::OnLostDevice() {
  for (ID3DXFont* font : m_fonts) font->OnLostDevice();
  ReleaseBackBuffer();
}

void SD3D9RenderDevice::OnResetDevice() {
  for (ID3DXFont* font : m_fonts) font->OnResetDevice();
  SHold hold(m_lock);
  m_device->GetRenderTarget(0, &m_backBuffer);
  // A reset unbinds every texture.
  ForgetAllTextures();
}

void SD3D9RenderDevice::SetFullScreen(bool fullScreen) {
  KORVEX_TRY
    const D3DPRESENT_PARAMETERS previous = m_presentParameters;
    const BOOL windowed = fullScreen ? FALSE : TRUE;
    D3DPRESENT_PARAMETERS& parameters = m_presentParameters;
    if (windowed != parameters.Windowed) {
      parameters.Windowed = windowed;
      parameters.FullScreen_RefreshRateInHz = 0;
      if (fullScreen) {
        parameters.BackBufferWidth = m_requestedWidth;
        parameters.BackBufferHeight = m_requestedHeight;
        parameters.PresentationInterval = FindCompatiblePresentationInterval(m_adapter);
      } else {
        ClientSize(m_window, parameters.BackBufferWidth, parameters.BackBufferHeight);
      }
    }
    try {
      Reset();
    } catch (const KorvexCoreException&) {
      // Otherwise every following frame would retry the reset that has just failed.
      m_presentParameters = previous;
      PublishBackBufferSize();
      throw;
    }
  KORVEX_RETHROW("SD3D9RenderDevice::SetFullScreen()", kSource)
}

void SD3D9RenderDevice::Kill() {
  g_Loger << GetTimeStamp() << " SD3D9RenderDevice Kill\n";
  m_fonts.clear();
  ReleaseBackBuffer();
  if (m_d3d != nullptr) {
    m_d3d->Release();
    m_d3d = nullptr;
  }
  if (m_device != nullptr) {
    m_device->Release();
    m_device = nullptr;
  }
  g_Loger << GetTimeStamp() << " SD3D9RenderDevice Kill done\n";
}

void SD3D9RenderDevice::ReleaseBackBuffer() {
  if (m_backBuffer == nullptr) return;
  m_backBuffer->Release();
  m_backBuffer = nullptr;
}

void SD3D9RenderDevice::RegisterFont(ID3DXFont* font) { m_fonts.push_back(font); }

void SD3D9RenderDevice::UnregisterFont(ID3DXFont* font) {
  m_fonts.erase(std::remove(m_fonts.begin(), m_fonts.end(), font), m_fonts.end());
}

void SD3D9RenderDevice::ForgetTexture(const STexture* texture) {
  SHold hold(m_lock);
  for (STexture*& cached : m_textureCache) {
    if (cached == texture) cached = nullptr;
  }
}

void SD3D9RenderDevice::ForgetAllTextures() { std::fill(std::begin(m_textureCache), std::end(m_textureCache), nullptr); }

template <class Call>
HRESULT SD3D9RenderDevice::CallLocked(Call call) {
  SHold hold(m_lock);
  return call();
}

// --- Lock --------------------------------------------------------------------------------------

IDirect3DDevice9* SD3D9RenderDevice::Lock() {
  m_lock.Lock();
  return m_device;
}

void SD3D9RenderDevice::Unlock() { m_lock.Unlock(); }

// --- Frame operations --------------------------------------------------------------------------

void SD3D9RenderDevice::DoClearScene(BYTE red, BYTE green, BYTE blue) {
  KORVEX_TRY
    SHold hold(m_lock);
    m_device->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_XRGB(red, green, blue), 0.0f, 0);
  KORVEX_RETHROW("SD3D9RenderDevice::DoClearScene()", kSource)
}

void SD3D9RenderDevice::DoClearScene(float depth) {
  KORVEX_TRY
    SHold hold(m_lock);
    m_device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, depth, 0);
  KORVEX_RETHROW("SD3D9RenderDevice::DoClearScene()", kSource)
}

void SD3D9RenderDevice::DoBeginScene() {
  KORVEX_TRY
    TestCooperativeLevel();
    SHold hold(m_lock);
    m_device->BeginScene();
  KORVEX_RETHROW("SD3D9RenderDevice::DoBeginScene()", kSource)
}

void SD3D9RenderDevice::EndScene() {
  KORVEX_TRY
    SHold hold(m_lock);
    m_device->EndScene();
    m_device->Present(nullptr, nullptr, nullptr, nullptr);
  KORVEX_RETHROW("SD3D9RenderDevice::EndScene()", kSource)
}

void SD3D9RenderDevice::DoSetTransform(D3DTRANSFORMSTATETYPE state, const SMatrix* matrix) {
  KORVEX_TRY
    const D3DMATRIX native = ToNative(*matrix);
    HRESULT result;
    {
      SHold hold(m_lock);
      result = m_device->SetTransform(state, &native);
    }
    if (result == D3DERR_INVALIDCALL) throw KorvexCoreDX9Exception("can't set transform INVALIDCALL");
  KORVEX_RETHROW("SD3D9RenderDevice::DoSetTransform()", kSource)
}

SMatrix* SD3D9RenderDevice::DoGetTransform(SMatrix* matrix, D3DTRANSFORMSTATETYPE state) {
  KORVEX_TRY
    D3DMATRIX native{};
    HRESULT result;
    {
      SHold hold(m_lock);
      result = m_device->GetTransform(state, &native);
    }
    if (result == D3DERR_INVALIDCALL) throw KorvexCoreDX9Exception("can't get transform INVALIDCALL");
    *matrix = FromNative(native);
    return matrix;
  KORVEX_RETHROW("SD3D9RenderDevice::DoGetTransform()", kSource)
}

void SD3D9RenderDevice::DoPushTransform(D3DTRANSFORMSTATETYPE state) {
  KORVEX_TRY
    SMatrix current;
    m_transformStack.push_back(*DoGetTransform(&current, state));
  KORVEX_RETHROW("SD3D9RenderDevice::DoPushTransform()", kSource)
}

void SD3D9RenderDevice::DoPopTransform(D3DTRANSFORMSTATETYPE state) {
  KORVEX_TRY
    // An unpaired pop has nothing to restore.
    if (m_transformStack.empty()) return;
    const SMatrix top = m_transformStack.back();
    m_transformStack.pop_back();
    DoSetTransform(state, &top);
  KORVEX_RETHROW("SD3D9RenderDevice::DoPopTransform()", kSource)
}

void SD3D9RenderDevice::DoSetTexture(DWORD stage, STexture* texture) {
  KORVEX_TRY
    if (stage >= kTextureStages) throw KorvexCoreDX9Exception("can't set texture");
    if (m_textureCache[stage] == texture) return;
    IDirect3DTexture9* native = texture != nullptr ? texture->GetNative() : nullptr;
    if (FAILED(CallLocked([&] { return m_device->SetTexture(stage, native); })))
      throw KorvexCoreDX9Exception("can't set texture");
    m_textureCache[stage] = texture;
  KORVEX_RETHROW("SD3D9RenderDevice::DoSetTexture()", kSource)
}

void SD3D9RenderDevice::DoSetRenderTarget(STexture* texture) {
  KORVEX_TRY
    if (texture == nullptr) {
      SHold hold(m_lock);
      if (FAILED(m_device->SetRenderTarget(0, m_backBuffer)))
        throw KorvexCoreDX9Exception("can't set NULL RenderTarget");
      return;
    }
    IDirect3DSurface9* surface = nullptr;
    if (texture->GetNative() != nullptr) texture->GetNative()->GetSurfaceLevel(0, &surface);
    if (surface == nullptr) throw KorvexCoreDX9Exception("can't set RenderTarget");
    HRESULT result;
    {
      SHold hold(m_lock);
      result = m_device->SetRenderTarget(0, surface);
    }
    // The device keeps the surface bound by a reference of its own.
    surface->Release();
    if (FAILED(result)) throw KorvexCoreDX9Exception("can't set RenderTarget");
  KORVEX_RETHROW("SD3D9RenderDevice::DoSetRenderTarget()", kSource)
}

void SD3D9RenderDevice::DoSetView() {
  KORVEX_TRY
    const D3DVIEWPORT9 view = ViewRect;
    SHold hold(m_lock);
    m_device->SetViewport(&view);
  KORVEX_RETHROW("SD3D9RenderDevice::DoSetView()", kSource)
}

UINT SD3D9RenderDevice::GetWidth() { return m_backBufferWidth; }

UINT SD3D9RenderDevice::GetHeight() { return m_backBufferHeight; }

void SD3D9RenderDevice::SetVertexShader(DWORD fvf) {
  KORVEX_TRY
    if (FAILED(CallLocked([&] { return m_device->SetFVF(fvf); })))
      throw KorvexCoreDX9Exception("can't set vertex shader");
  KORVEX_RETHROW("SD3D9RenderDevice::SetVertexShader()", kSource)
}

void SD3D9RenderDevice::DoRender(const boost::shared_ptr<SVertexBuffer>& vertices,
                                 const boost::shared_ptr<SIndexBuffer>& indices, UINT startIndex) {
  KORVEX_TRY
    RequireBuffer(vertices.get(), "can't render: no vertex buffer");
    RequireBuffer(indices.get(), "can't render: no index buffer");
    SetVertexShader(vertices->DoGetFvf());
    const UINT primitives = GetPrimitiveCount(vertices->PrimitiveType, indices->IndexCount);
    SHold hold(m_lock);
    // The indexed draw's result goes unexamined: a failed draw only loses this frame's geometry.
    m_device->DrawIndexedPrimitive(D3DPRIMITIVETYPE(vertices->PrimitiveType), 0, 0, vertices->VertexCount,
                                   startIndex, primitives);
  KORVEX_RETHROW("SD3D9RenderDevice::DoRender()", kSource)
}

void SD3D9RenderDevice::DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, UINT startVertex) {
  KORVEX_TRY
    RequireBuffer(vertices.get(), "can't render: no vertex buffer");
    SetVertexShader(vertices->DoGetFvf());
    const UINT primitives = GetPrimitiveCount(vertices->PrimitiveType, vertices->VertexCount);
    const D3DPRIMITIVETYPE type = D3DPRIMITIVETYPE(vertices->PrimitiveType);
    if (FAILED(CallLocked([&] { return m_device->DrawPrimitive(type, startVertex, primitives); })))
      throw KorvexCoreDX9Exception("can't draw primitive");
  KORVEX_RETHROW("SD3D9RenderDevice::DoRender()", kSource)
}

void SD3D9RenderDevice::DoBindVertexBuffer(const boost::shared_ptr<SVertexBuffer>& vertices) {
  KORVEX_TRY
    RequireBuffer(vertices.get(), "can't bind vertex buffer");
    IDirect3DVertexBuffer9* native = vertices->GetNative();
    if (FAILED(CallLocked([&] { return m_device->SetStreamSource(0, native, 0, vertices->VertexSize); })))
      throw KorvexCoreDX9Exception("can't bind vertex buffer");
  KORVEX_RETHROW("SD3D9RenderDevice::DoBindVertexBuffer()", kSource)
}

void SD3D9RenderDevice::DoBindIndexBuffer(const boost::shared_ptr<SIndexBuffer>& indices) {
  KORVEX_TRY
    RequireBuffer(indices.get(), "can't bind index buffer");
    if (FAILED(CallLocked([&] { return m_device->SetIndices(indices->GetNative()); })))
      throw KorvexCoreDX9Exception("can't bind index buffer");
  KORVEX_RETHROW("SD3D9RenderDevice::DoBindIndexBuffer()", kSource)
}

// Drawing from a missing buffer is a caller's mistake; it is reported instead of dereferenced.
void SD3D9RenderDevice::RequireBuffer(const void* buffer, const char* failure) {
  assert(buffer != nullptr);
  if (buffer == nullptr) throw KorvexCoreDX9Exception(failure);
}

void SD3D9RenderDevice::DoSetmaterial(const SMaterial& material) {
  KORVEX_TRY
    SHold hold(m_lock);
    m_device->SetRenderState(D3DRS_CULLMODE, material.CullMode);
    m_device->SetRenderState(D3DRS_ALPHABLENDENABLE, DWORD(material.AlphaBlend));
    m_device->SetRenderState(D3DRS_SRCBLEND, material.SrcBlend);
    m_device->SetRenderState(D3DRS_DESTBLEND, material.DstBlend);
    if (material.FillMode >= D3DFILL_POINT && material.FillMode <= D3DFILL_SOLID)
      m_device->SetRenderState(D3DRS_FILLMODE, material.FillMode);
    m_device->SetRenderState(D3DRS_ZENABLE, material.ZWrite != 0 ? D3DZB_TRUE : D3DZB_FALSE);
    m_device->SetRenderState(D3DRS_LIGHTING, DWORD(material.Lighting));
    ApplyMaterialStage0(material);
    ApplyMaterialStage1(material);
    m_device->SetRenderState(D3DRS_FOGENABLE, material.IsFogEnable != 0 ? TRUE : FALSE);
    if (material.IsFogEnable != 0) DoSetFog(Fog);
    if (IsTextureOperation(material.ColorOp))
      m_device->SetTextureStageState(0, D3DTSS_COLOROP, DWORD(material.ColorOp));
    if (IsTextureOperation(material.AlphaOp))
      m_device->SetTextureStageState(0, D3DTSS_ALPHAOP, DWORD(material.AlphaOp));
  KORVEX_RETHROW("SD3D9RenderDevice::DoSetmaterial()", kSource)
}

void SD3D9RenderDevice::DoSetTextureFiltration(DWORD stage, const STextureFiltration& filtration) {
  KORVEX_TRY
    DWORD minification = D3DTEXF_POINT;
    DWORD mip = D3DTEXF_NONE;
    if (filtration.IsBilinear || filtration.IsTrilinear || filtration.IsAnisotropic) {
      minification = filtration.IsAnisotropic ? D3DTEXF_ANISOTROPIC : D3DTEXF_LINEAR;
      mip = filtration.IsTrilinear ? D3DTEXF_LINEAR : D3DTEXF_POINT;
    }
    SHold hold(m_lock);
    m_device->SetSamplerState(stage, D3DSAMP_MINFILTER, minification);
    m_device->SetSamplerState(stage, D3DSAMP_MIPFILTER, mip);
    m_device->SetSamplerState(stage, D3DSAMP_MAGFILTER, minification);
  KORVEX_RETHROW("SD3D9RenderDevice::DoSetTextureFiltration()", kSource)
}

void SD3D9RenderDevice::DoSetFog(const SFog& fog) {
  KORVEX_TRY
    const DWORD colour = D3DCOLOR_ARGB(fog.Color[0], fog.Color[1], fog.Color[2], fog.Color[3]);
    SHold hold(m_lock);
    m_device->SetRenderState(D3DRS_FOGCOLOR, colour);
    m_device->SetRenderState(fog.IsTableFog != 0 ? D3DRS_FOGTABLEMODE : D3DRS_FOGVERTEXMODE,
                             fog.IsLinear != 0 ? D3DFOG_LINEAR : D3DFOG_EXP);
    if (fog.IsLinear != 0) {
      m_device->SetRenderState(D3DRS_FOGSTART, FloatBits(fog.Start));
      m_device->SetRenderState(D3DRS_FOGEND, FloatBits(fog.End));
    } else {
      m_device->SetRenderState(D3DRS_FOGDENSITY, FloatBits(fog.Density));
    }
    if (fog.IsTableFog == 0) m_device->SetRenderState(D3DRS_RANGEFOGENABLE, DWORD(fog.IsRangeFog));
  KORVEX_RETHROW("SD3D9RenderDevice::DoSetFog()", kSource)
}

}  // namespace SCore
