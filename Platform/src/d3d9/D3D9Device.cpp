#include "D3D9Device.h"

#include "D3D9Adapters.h"
#include "D3D9Failures.h"
#include "D3D9Formats.h"
#include "D3D9GLState.h"
#include "D3D9PresentParameters.h"
#include "D3D9Surface.h"
#include "D3D9Texture.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace Platform {
namespace D3D9 {
namespace {

typedef std::lock_guard<std::recursive_mutex> DeviceLock;

// Vertices (or indices) that a primitive count of a type takes; 0 for an unknown type. The largest
// counts take more than 32 bits.
unsigned long long VertexCountFor(D3DPRIMITIVETYPE type, UINT primitives) {
  const unsigned long long count = primitives;
  switch (type) {
    case D3DPT_POINTLIST:
      return count;
    case D3DPT_LINELIST:
      return count * 2;
    case D3DPT_LINESTRIP:
      return count + 1;
    case D3DPT_TRIANGLELIST:
      return count * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
      return count + 2;
    default:
      return 0;
  }
}

// No buffer holds more vertices than 32 bits count, so anything larger lies beyond the buffer.
bool FitsInUint(unsigned long long value) { return value <= std::numeric_limits<UINT>::max(); }

GLenum GLPrimitive(D3DPRIMITIVETYPE type) {
  static const GLenum kModes[] = {GL_POINTS,    GL_POINTS,         GL_LINES,       GL_LINE_STRIP,
                                  GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN};
  return kModes[type];
}

GLenum DepthStorage(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_D16:
      return GL_DEPTH_COMPONENT16;
    case D3DFMT_D24S8:
      return GL_DEPTH24_STENCIL8;
    default:
      return GL_DEPTH_COMPONENT24;
  }
}

template <class Interface>
void Rebind(Interface*& slot, Interface* value) {
  if (value != nullptr) value->AddRef();
  if (slot != nullptr) slot->Release();
  slot = value;
}

void SetIdentityMatrices() {
  for (GLenum mode : {GL_MODELVIEW, GL_PROJECTION}) {
    glMatrixMode(mode);
    glLoadIdentity();
  }
  for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
    glActiveTexture(unit);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
  }
  glActiveTexture(GL_TEXTURE0);
  glMatrixMode(GL_MODELVIEW);
}

unsigned MakeWhiteTexture() {
  unsigned texture = 0;
  const DWORD white = 0xFFFFFFFF;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &white);
  return texture;
}

}  // namespace

// --- Creation, loss and reset ---------------------------------------------------------------------

HRESULT Device9::Create(UINT adapter, HWND window, const D3DPRESENT_PARAMETERS& parameters, Device9** device) {
  std::shared_ptr<DeviceCore> core = DeviceCore::Create(SdlWindowOf(window));
  if (!core) return D3DERR_NOTAVAILABLE;
  Device9* created = new Device9(core, adapter, window);
  const HRESULT result = created->MakeSwapChain(parameters);
  if (FAILED(result)) {
    created->Release();
    return result;
  }
  {
    GLSection section(*core);
    if (!section.IsReady()) {
      created->Release();
      return D3DERR_NOTAVAILABLE;
    }
    SetIdentityMatrices();
    created->m_whiteTexture = MakeWhiteTexture();
    glGenFramebuffers(1, &created->m_framebuffer);
    glGenFramebuffers(1, &created->m_depthFramebuffer);
    created->m_windowFramebuffer.ReadFormat();
    created->PlaceBackBuffer();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_FOG_COORD_ARRAY);
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
      glClientActiveTexture(unit);
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glClientActiveTexture(GL_TEXTURE0);
    created->MakeDepthBuffer();
    GLint subpixelBits = 0;
    glGetIntegerv(GL_SUBPIXEL_BITS, &subpixelBits);
    created->m_centreShift = PixelCentreShift(subpixelBits);
  }
  *device = created;
  return D3D_OK;
}

Device9::Device9(std::shared_ptr<DeviceCore> core, UINT adapter, HWND window)
    : m_core(std::move(core)), m_adapter(adapter), m_window(window) {
  m_core->SetTargetReader(this);
}

Device9::~Device9() {
  DiscardHeldClears();
  ReleaseBindings();
  if (m_backBuffer != nullptr) m_backBuffer->Release();
  {
    GLSection section(*m_core);
    m_core->SetTargetReader(nullptr);
    if (section.IsReady()) {
      glDeleteFramebuffers(1, &m_framebuffer);
      glDeleteFramebuffers(1, &m_depthFramebuffer);
      glDeleteRenderbuffers(1, &m_depthBuffer);
      glDeleteTextures(1, &m_whiteTexture);
      for (void* fence : m_frameFences) glDeleteSync(static_cast<GLsync>(fence));
    }
  }
  if (!m_parameters.Windowed && IsSdlWindowAlive(m_core->Window())) SDL_SetWindowFullscreen(m_core->Window(), 0);
}

HRESULT Device9::MakeSwapChain(const D3DPRESENT_PARAMETERS& parameters) {
  Surface9* backBuffer = Surface9::CreateBackBuffer(m_core, parameters.BackBufferWidth, parameters.BackBufferHeight,
                                                    parameters.BackBufferFormat);
  if (backBuffer == nullptr) return D3DERR_INVALIDCALL;
  if (m_backBuffer != nullptr) m_backBuffer->Release();
  m_backBuffer = backBuffer;
  Rebind(m_renderTarget, m_backBuffer);
  m_parameters = parameters;
  m_states.SetDefaults(parameters.EnableAutoDepthStencil != FALSE, parameters.BackBufferWidth,
                       parameters.BackBufferHeight);
  ApplyWindowMode();
  return D3D_OK;
}

void Device9::ApplyWindowMode() {
  SDL_Window* window = m_core->Window();
  if (m_parameters.Windowed) {
    SDL_SetWindowFullscreen(window, 0);
    return;
  }
  SDL_SetWindowSize(window, int(m_parameters.BackBufferWidth), int(m_parameters.BackBufferHeight));
  SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
}

void Device9::MakeDepthBuffer() {
  if (m_depthBuffer != 0) glDeleteRenderbuffers(1, &m_depthBuffer);
  m_depthBuffer = 0;
  m_depthWidth = m_depthHeight = 0;
  m_attachedTexture = 0;
  m_knownDepth.reset();
  m_knownStencil.reset();
  if (!m_parameters.EnableAutoDepthStencil) return;
  const GLenum storage = DepthStorage(m_parameters.AutoDepthStencilFormat);
  m_depthAttachment = storage == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
  glGenRenderbuffers(1, &m_depthBuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, m_depthBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, storage, GLsizei(m_parameters.BackBufferWidth),
                        GLsizei(m_parameters.BackBufferHeight));
  m_depthWidth = m_parameters.BackBufferWidth;
  m_depthHeight = m_parameters.BackBufferHeight;
  glBindFramebuffer(GL_FRAMEBUFFER, m_depthFramebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, m_depthAttachment, GL_RENDERBUFFER, m_depthBuffer);
  glDrawBuffer(GL_NONE);
  glReadBuffer(GL_NONE);
}

void Device9::ReleaseBindings() {
  for (Texture9*& texture : m_textures) Rebind(texture, static_cast<Texture9*>(nullptr));
  Rebind(m_stream, static_cast<VertexBuffer9*>(nullptr));
  Rebind(m_indices, static_cast<IndexBuffer9*>(nullptr));
  Rebind(m_renderTarget, static_cast<Surface9*>(nullptr));
}

void Device9::UpdateLoss() {
  const bool active = m_parameters.Windowed || IsWindowActive(m_window);
  if (m_loss == Loss::None && (m_provokedLoss || !active)) m_loss = Loss::Lost;
  if (m_loss == Loss::Lost && !m_provokedLoss && active) m_loss = Loss::NotReset;
}

bool Device9::IsOperational() {
  UpdateLoss();
  return m_loss == Loss::None;
}

void Device9::SetProvokedLoss(bool lost) {
  DeviceLock lock(m_core->Mutex());
  m_provokedLoss = lost;
  UpdateLoss();
}

HRESULT Device9::TestCooperativeLevel() {
  DeviceLock lock(m_core->Mutex());
  UpdateLoss();
  if (m_loss == Loss::Lost) return D3DERR_DEVICELOST;
  if (m_loss == Loss::NotReset) return D3DERR_DEVICENOTRESET;
  return D3D_OK;
}

HRESULT Device9::GetDeviceCaps(D3DCAPS9* caps) {
  if (caps == nullptr || !AdapterCaps(m_adapter, caps)) return D3DERR_INVALIDCALL;
  return D3D_OK;
}

HRESULT Device9::Reset(D3DPRESENT_PARAMETERS* parameters) {
  DeviceLock lock(m_core->Mutex());
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("Reset", &result)) return result;
  UpdateLoss();
  if (m_loss == Loss::Lost) return D3DERR_DEVICELOST;
  ReleaseBindings();
  DiscardHeldClears();
  m_inScene = false;
  m_core->StopKeepingCurrent();
  // Only the device may still hold the back buffer, and nothing of the default pool may live on.
  const bool backBufferHeld = m_backBuffer->OwnReferences() > 1;
  const bool defaultPoolAlive = m_core->defaultPoolResources > 1;
  D3DPRESENT_PARAMETERS checked = parameters != nullptr ? *parameters : D3DPRESENT_PARAMETERS{};
  if (parameters != nullptr && checked.hDeviceWindow == nullptr) checked.hDeviceWindow = m_window;
  if (backBufferHeld || defaultPoolAlive || FAILED(CheckPresentParameters(m_adapter, m_window, &checked))) {
    return FailReset(D3DERR_INVALIDCALL);
  }
  // Without the context no depth buffer could match the new back buffer.
  GLSection section(*m_core);
  if (!section.IsReady()) return FailReset(D3DERR_DRIVERINTERNALERROR);
  result = MakeSwapChain(checked);
  if (FAILED(result)) return FailReset(result);
  PlaceBackBuffer();
  MakeDepthBuffer();
  *parameters = checked;
  m_loss = Loss::None;
  return D3D_OK;
}

HRESULT Device9::FailReset(HRESULT result) {
  // A failed reset leaves the device waiting for another.
  Rebind(m_renderTarget, m_backBuffer);
  m_loss = Loss::NotReset;
  return result;
}

// --- Frame ----------------------------------------------------------------------------------------

HRESULT Device9::BeginScene() {
  DeviceLock lock(m_core->Mutex());
  if (m_inScene) return D3DERR_INVALIDCALL;
  if (!IsOperational()) return D3DERR_DEVICELOST;
  m_inScene = true;
  m_core->KeepCurrentOnThisThread();
  return D3D_OK;
}

HRESULT Device9::EndScene() {
  DeviceLock lock(m_core->Mutex());
  if (!m_inScene) return D3DERR_INVALIDCALL;
  m_inScene = false;
  return D3D_OK;
}

void Device9::ReleaseKeptContext() {
  if (!m_core->IsKeptByThisThread()) return;
  m_core->StopKeepingCurrent();
  // The section hands the context back as it ends.
  GLSection section(*m_core);
}

HRESULT Device9::Present(const RECT* /*source*/, const RECT* /*dest*/, HWND /*destWindow*/,
                         const void* /*dirtyRegion*/) {
  DeviceLock lock(m_core->Mutex());
  if (!IsOperational()) {
    ReleaseKeptContext();
    return D3DERR_DEVICELOST;
  }
  GLSection section(*m_core);
  // The frame ends here: the section hands the context back once it is swapped.
  if (m_core->IsKeptByThisThread()) m_core->StopKeepingCurrent();
  if (!section.IsReady()) return D3DERR_DRIVERINTERNALERROR;
  RunHeldClears();
  if (!m_backBufferInWindow) CopyBackBufferToWindow();
  const int interval = m_parameters.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1;
  if (interval != m_swapInterval) {
    SDL_GL_SetSwapInterval(interval);
    m_swapInterval = interval;
  }
  SDL_GL_SwapWindow(m_core->Window());
  WaitForFrameBeforeLast();
  // The next frame starts in the window unless the window no longer fits (its framebuffer changed
  // size) or this frame drew with depth, as the next one likely will.
  m_backBufferInWindow =
      !m_frameUsedDepth && m_windowFramebuffer.CanHoldBackBuffer(m_parameters, m_core->Window());
  m_frameUsedDepth = false;
  glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
  return D3D_OK;
}

// A swap chain holds the frame on screen and the one being drawn: the frame before the last must
// be finished before another is queued, so that frames never pile up.
void Device9::WaitForFrameBeforeLast() {
  constexpr size_t kFramesInFlight = 2;
  constexpr GLuint64 kLongestWait = 1000000000;  // nanoseconds: a stuck driver must not hang Present
  m_frameFences.push_back(glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0));
  if (m_frameFences.size() <= kFramesInFlight) return;
  const GLsync oldest = static_cast<GLsync>(m_frameFences.front());
  m_frameFences.pop_front();
  glClientWaitSync(oldest, GL_SYNC_FLUSH_COMMANDS_BIT, kLongestWait);
  glDeleteSync(oldest);
}

void Device9::CopyBackBufferToWindow() {
  // The back buffer is read through our framebuffer and drawn into the window's own.
  AttachTarget(*m_backBuffer, false);
  int width = 0;
  int height = 0;
  WindowFramebufferSize(m_core->Window(), &width, &height);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  // Rows are kept top first; the window's framebuffer has its first row at the bottom.
  glBlitFramebuffer(0, 0, GLint(m_parameters.BackBufferWidth), GLint(m_parameters.BackBufferHeight), 0, height, width,
                    0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

// Colour and depth are attached together, so that the record of what is attached always covers both.
// Depth is attached only for what uses it: a software rasteriser fills a framebuffer without one
// far faster.
void Device9::AttachTarget(Surface9& target, bool withDepth) {
  const unsigned colour = target.PrepareForDrawing();
  glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
  const D3DSURFACE_DESC& desc = target.Desc();
  // A depth buffer smaller than the target cannot serve it.
  const bool depth =
      withDepth && m_depthBuffer != 0 && desc.Width <= m_depthWidth && desc.Height <= m_depthHeight;
  if (colour == m_attachedTexture && target.Level() == m_attachedLevel && depth == m_attachedDepth) return;
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, GLint(target.Level()));
  // What a depth buffer of another storage left attached goes first.
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
  if (depth) glFramebufferRenderbuffer(GL_FRAMEBUFFER, m_depthAttachment, GL_RENDERBUFFER, m_depthBuffer);
  m_attachedTexture = colour;
  m_attachedLevel = target.Level();
  m_attachedDepth = depth;
}

bool Device9::IsWindow(const Surface9& target) const { return m_backBufferInWindow && &target == m_backBuffer; }

TargetSize Device9::SizeOf(const Surface9& target) const {
  const D3DSURFACE_DESC& desc = target.Desc();
  return TargetSize{desc.Width, desc.Height, IsWindow(target) ? RowOrder::BottomFirst : RowOrder::TopFirst};
}

void Device9::BindTarget(Surface9& target, bool usesDepth) {
  if (usesDepth && IsWindow(target)) MoveBackBufferOutOfWindow();
  if (IsWindow(target)) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
  } else {
    AttachTarget(target, usesDepth);
  }
  const D3DSURFACE_DESC& desc = target.Desc();
  glViewport(0, 0, GLsizei(desc.Width), GLsizei(desc.Height));
}

// A new back buffer starts black, whether in the window (which may hold what was there before) or
// in a target of its own.
void Device9::PlaceBackBuffer() {
  m_backBufferInWindow = m_windowFramebuffer.CanHoldBackBuffer(m_parameters, m_core->Window());
  m_frameUsedDepth = false;
  if (!m_backBufferInWindow) return;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  m_fixedStatesDisturbed = true;
}

// The window has no depth buffer: what the frame drew so far goes to the back buffer's own target,
// which draws with ours, until Present.
void Device9::MoveBackBufferOutOfWindow() {
  AttachTarget(*m_backBuffer, false);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  const GLint width = GLint(m_parameters.BackBufferWidth);
  const GLint height = GLint(m_parameters.BackBufferHeight);
  // The window keeps its rows bottom first.
  glBlitFramebuffer(0, 0, width, height, 0, height, width, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  m_backBufferInWindow = false;
  m_fixedStatesDisturbed = true;
}

HRESULT Device9::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
  DeviceLock lock(m_core->Mutex());
  const bool hasDepth = m_parameters.EnableAutoDepthStencil != FALSE;
  const bool hasStencil = hasDepth && m_parameters.AutoDepthStencilFormat == D3DFMT_D24S8;
  if ((flags & D3DCLEAR_ZBUFFER) != 0 && !hasDepth) return D3DERR_INVALIDCALL;
  if ((flags & D3DCLEAR_STENCIL) != 0 && !hasStencil) return D3DERR_INVALIDCALL;
  if (count > 0 && rects == nullptr) return D3DERR_INVALIDCALL;
  if (!IsOperational()) return D3D_OK;
  m_renderTarget->AddRef();
  m_heldClears.push_back(HeldClear{m_renderTarget, RectsInViewport(count, rects), flags, color, z, stencil});
  // The thread that draws the frame clears at once. Any other would have to take the context and
  // hand it back (a flush), or could not have it at all while a scene keeps it: its clear waits for
  // the next drawing, Present, change of target or reading back, and joins the frame there.
  if (!m_core->IsKeptByThisThread()) return D3D_OK;
  GLSection section(*m_core);
  if (!section.IsReady()) return D3DERR_DRIVERINTERNALERROR;
  RunHeldClears();
  return D3D_OK;
}

std::vector<D3DRECT> Device9::RectsInViewport(DWORD count, const D3DRECT* rects) const {
  const D3DVIEWPORT9& viewport = m_states.viewport;
  const D3DRECT whole{LONG(viewport.X), LONG(viewport.Y), LONG(viewport.X + viewport.Width),
                      LONG(viewport.Y + viewport.Height)};
  std::vector<D3DRECT> inside;
  for (DWORD index = 0; index < std::max<DWORD>(count, 1); ++index) {
    const D3DRECT& rect = count > 0 ? rects[index] : whole;
    // Clearing never leaves the viewport.
    const D3DRECT clipped{std::max(rect.x1, whole.x1), std::max(rect.y1, whole.y1), std::min(rect.x2, whole.x2),
                          std::min(rect.y2, whole.y2)};
    if (clipped.x1 < clipped.x2 && clipped.y1 < clipped.y2) inside.push_back(clipped);
  }
  return inside;
}

// With the context current.
void Device9::RunHeldClears() {
  if (m_heldClears.empty()) return;
  for (const HeldClear& clear : m_heldClears) RunClear(clear);
  DiscardHeldClears();
  m_fixedStatesDisturbed = true;
}

void Device9::RunClear(const HeldClear& clear) {
  const DWORD flags = FlagsThatChangeSomething(clear);
  if (flags == 0) return;
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glStencilMask(0xFFFFFFFF);
  const std::array<float, 4> rgba = ColourToFloats(clear.colour);
  glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
  glClearDepth(std::min(1.0f, std::max(0.0f, clear.z)));
  glClearStencil(GLint(clear.stencil));
  const GLbitfield colour = (flags & D3DCLEAR_TARGET) != 0 ? GL_COLOR_BUFFER_BIT : 0;
  const GLbitfield depth = ((flags & D3DCLEAR_ZBUFFER) != 0 ? GL_DEPTH_BUFFER_BIT : 0) |
                           ((flags & D3DCLEAR_STENCIL) != 0 ? GL_STENCIL_BUFFER_BIT : 0);
  if (!IsWindow(*clear.target)) {
    BindTarget(*clear.target, depth != 0);
    ClearRects(SizeOf(*clear.target), clear.rects, colour | depth);
    return;
  }
  // Beside the window, our depth buffer is cleared alone, with the back buffer's rows top first.
  if (colour != 0) {
    BindTarget(*clear.target, false);
    ClearRects(SizeOf(*clear.target), clear.rects, colour);
  }
  if (depth != 0) {
    glBindFramebuffer(GL_FRAMEBUFFER, m_depthFramebuffer);
    const TargetSize size{m_depthWidth, m_depthHeight, RowOrder::TopFirst};
    glViewport(0, 0, GLsizei(size.width), GLsizei(size.height));
    ClearRects(size, clear.rects, depth);
  }
}

void Device9::ClearRects(TargetSize target, const std::vector<D3DRECT>& rects, unsigned mask) {
  for (const D3DRECT& rect : rects) {
    // A clear of the whole target needs no scissor, which lets OpenGL clear without drawing.
    const bool whole = rect.x1 == 0 && rect.y1 == 0 && rect.x2 == LONG(target.width) && rect.y2 == LONG(target.height);
    if (whole) {
      glDisable(GL_SCISSOR_TEST);
    } else {
      ScissorRows(target, rect.x1, rect.y1, rect.x2, rect.y2);
    }
    glClear(mask);
  }
}

// Clearing depth or stencil to what the whole buffer already holds changes nothing, and would cost
// the rasteriser a pass over the buffer (a frame that never tests depth then needs none).
DWORD Device9::FlagsThatChangeSomething(const HeldClear& clear) {
  const D3DSURFACE_DESC& desc = clear.target->Desc();
  const D3DRECT whole{0, 0, LONG(desc.Width), LONG(desc.Height)};
  const bool coversDepth = m_depthBuffer != 0 && desc.Width == m_depthWidth && desc.Height == m_depthHeight &&
                           clear.rects.size() == 1 && std::memcmp(&clear.rects[0], &whole, sizeof whole) == 0;
  DWORD flags = clear.flags;
  const float z = std::min(1.0f, std::max(0.0f, clear.z));
  if ((flags & D3DCLEAR_ZBUFFER) != 0) {
    if (coversDepth && m_knownDepth == z) flags &= ~DWORD(D3DCLEAR_ZBUFFER);
    m_knownDepth = coversDepth ? std::optional<float>(z) : std::nullopt;
  }
  if ((flags & D3DCLEAR_STENCIL) != 0) {
    if (coversDepth && m_knownStencil == clear.stencil) flags &= ~DWORD(D3DCLEAR_STENCIL);
    m_knownStencil = coversDepth ? std::optional<DWORD>(clear.stencil) : std::nullopt;
  }
  return flags;
}

void Device9::DiscardHeldClears() {
  for (const HeldClear& clear : m_heldClears) clear.target->Release();
  m_heldClears.clear();
}

// --- States ---------------------------------------------------------------------------------------

HRESULT Device9::SetViewport(const D3DVIEWPORT9* viewport) {
  DeviceLock lock(m_core->Mutex());
  if (viewport == nullptr) return D3DERR_INVALIDCALL;
  const D3DSURFACE_DESC& target = m_renderTarget->Desc();
  const bool inside = viewport->X <= target.Width && viewport->Width <= target.Width - viewport->X &&
                      viewport->Y <= target.Height && viewport->Height <= target.Height - viewport->Y;
  const bool depthInRange = viewport->MinZ >= 0.0f && viewport->MaxZ <= 1.0f && viewport->MinZ <= viewport->MaxZ;
  if (!inside || !depthInRange) return D3DERR_INVALIDCALL;
  m_states.viewport = *viewport;
  return D3D_OK;
}

HRESULT Device9::GetViewport(D3DVIEWPORT9* viewport) {
  DeviceLock lock(m_core->Mutex());
  if (viewport == nullptr) return D3DERR_INVALIDCALL;
  *viewport = m_states.viewport;
  return D3D_OK;
}

HRESULT Device9::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  DeviceLock lock(m_core->Mutex());
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("SetTransform", &result)) return result;
  D3DMATRIX* slot = m_states.Transform(state);
  if (slot == nullptr || matrix == nullptr) return D3DERR_INVALIDCALL;
  *slot = *matrix;
  return D3D_OK;
}

HRESULT Device9::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  DeviceLock lock(m_core->Mutex());
  D3DMATRIX* slot = m_states.Transform(state);
  if (slot == nullptr || matrix == nullptr) return D3DERR_INVALIDCALL;
  *matrix = *slot;
  return D3D_OK;
}

HRESULT Device9::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  DeviceLock lock(m_core->Mutex());
  if (!DeviceStates::IsRenderState(state)) return D3DERR_INVALIDCALL;
  m_states.render[state] = value;
  return D3D_OK;
}

HRESULT Device9::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  DeviceLock lock(m_core->Mutex());
  if (!DeviceStates::IsRenderState(state) || value == nullptr) return D3DERR_INVALIDCALL;
  *value = m_states.render[state];
  return D3D_OK;
}

HRESULT Device9::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  DeviceLock lock(m_core->Mutex());
  if (stage >= kStageCount || !DeviceStates::IsStageState(type)) return D3DERR_INVALIDCALL;
  m_states.stage[stage][type] = value;
  return D3D_OK;
}

HRESULT Device9::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
  DeviceLock lock(m_core->Mutex());
  if (stage >= kStageCount || !DeviceStates::IsStageState(type) || value == nullptr) return D3DERR_INVALIDCALL;
  *value = m_states.stage[stage][type];
  return D3D_OK;
}

HRESULT Device9::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  DeviceLock lock(m_core->Mutex());
  if (sampler >= kSamplerCount || !DeviceStates::IsSamplerState(type)) return D3DERR_INVALIDCALL;
  m_states.sampler[sampler][type] = value;
  return D3D_OK;
}

HRESULT Device9::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) {
  DeviceLock lock(m_core->Mutex());
  if (sampler >= kSamplerCount || !DeviceStates::IsSamplerState(type) || value == nullptr) return D3DERR_INVALIDCALL;
  *value = m_states.sampler[sampler][type];
  return D3D_OK;
}

template <class Resource>
bool Device9::BelongsHere(Resource* resource) const {
  return resource != nullptr && resource->Core() == m_core.get();
}

HRESULT Device9::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
  DeviceLock lock(m_core->Mutex());
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("SetTexture", &result)) return result;
  if (stage >= kStageCount) return D3DERR_INVALIDCALL;
  Texture9* ours = dynamic_cast<Texture9*>(texture);
  if (texture != nullptr && !BelongsHere(ours)) return D3DERR_INVALIDCALL;
  Rebind(m_textures[stage], ours);
  return D3D_OK;
}

HRESULT Device9::GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) {
  DeviceLock lock(m_core->Mutex());
  if (stage >= kStageCount || texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = m_textures[stage];
  if (*texture != nullptr) (*texture)->AddRef();
  return D3D_OK;
}

HRESULT Device9::SetFVF(DWORD fvf) {
  DeviceLock lock(m_core->Mutex());
  m_states.fvf = fvf;
  return D3D_OK;
}

HRESULT Device9::GetFVF(DWORD* fvf) {
  DeviceLock lock(m_core->Mutex());
  if (fvf == nullptr) return D3DERR_INVALIDCALL;
  *fvf = m_states.fvf;
  return D3D_OK;
}

HRESULT Device9::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) {
  DeviceLock lock(m_core->Mutex());
  if (stream != 0) return D3DERR_INVALIDCALL;
  VertexBuffer9* ours = dynamic_cast<VertexBuffer9*>(buffer);
  if (buffer != nullptr && !BelongsHere(ours)) return D3DERR_INVALIDCALL;
  Rebind(m_stream, ours);
  m_streamOffset = offset;
  m_streamStride = stride;
  return D3D_OK;
}

HRESULT Device9::GetStreamSource(UINT stream, IDirect3DVertexBuffer9** buffer, UINT* offset, UINT* stride) {
  DeviceLock lock(m_core->Mutex());
  if (stream != 0 || buffer == nullptr || offset == nullptr || stride == nullptr) return D3DERR_INVALIDCALL;
  *buffer = m_stream;
  if (m_stream != nullptr) m_stream->AddRef();
  *offset = m_streamOffset;
  *stride = m_streamStride;
  return D3D_OK;
}

HRESULT Device9::SetIndices(IDirect3DIndexBuffer9* buffer) {
  DeviceLock lock(m_core->Mutex());
  IndexBuffer9* ours = dynamic_cast<IndexBuffer9*>(buffer);
  if (buffer != nullptr && !BelongsHere(ours)) return D3DERR_INVALIDCALL;
  Rebind(m_indices, ours);
  return D3D_OK;
}

// --- Drawing --------------------------------------------------------------------------------------

HRESULT Device9::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
  DeviceLock lock(m_core->Mutex());
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("DrawPrimitive", &result)) return result;
  const unsigned long long vertexCount = VertexCountFor(type, primitiveCount);
  if (vertexCount == 0 || !FitsInUint(vertexCount)) return D3DERR_INVALIDCALL;
  return Draw(type, primitiveCount, nullptr, startVertex, UINT(vertexCount));
}

HRESULT Device9::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT /*minIndex*/,
                                      UINT /*numVertices*/, UINT startIndex, UINT primitiveCount) {
  DeviceLock lock(m_core->Mutex());
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("DrawIndexedPrimitive", &result)) return result;
  const unsigned long long indexCount = VertexCountFor(type, primitiveCount);
  if (indexCount == 0 || m_indices == nullptr) return D3DERR_INVALIDCALL;
  const BufferStorage& storage = m_indices->Storage();
  const UINT indexSize = m_indices->IndexSize();
  const UINT available = storage.Length() / indexSize;
  if (startIndex > available || indexCount > available - startIndex) return D3DERR_INVALIDCALL;
  // Every fetched vertex must lie in the bound buffer; the draw then covers the lowest to the highest.
  std::vector<UINT> indices(indexCount);
  long long lowest = -1;
  long long highest = -1;
  for (size_t index = 0; index < indices.size(); ++index) {
    const BYTE* at = storage.Bytes() + size_t(startIndex + index) * indexSize;
    UINT value = 0;
    if (indexSize == 2) {
      WORD shortValue = 0;
      std::memcpy(&shortValue, at, 2);
      value = shortValue;
    } else {
      std::memcpy(&value, at, 4);
    }
    const long long vertex = static_cast<long long>(value) + baseVertexIndex;
    if (vertex < 0 || !FitsInUint(static_cast<unsigned long long>(vertex))) return D3DERR_INVALIDCALL;
    indices[index] = static_cast<UINT>(vertex);
    lowest = lowest < 0 ? vertex : std::min(lowest, vertex);
    highest = std::max(highest, vertex);
  }
  for (UINT& index : indices) index -= static_cast<UINT>(lowest);
  return Draw(type, primitiveCount, &indices, static_cast<UINT>(lowest), static_cast<UINT>(highest - lowest + 1));
}

HRESULT Device9::Draw(D3DPRIMITIVETYPE type, UINT /*primitiveCount*/, const std::vector<UINT>* indices,
                      UINT firstVertex, UINT vertexCount) {
  VertexLayout layout;
  if (!VertexLayout::Decode(m_states.fvf, &layout) || m_stream == nullptr) return D3DERR_INVALIDCALL;
  const UINT stride = m_streamStride;
  const BufferStorage& storage = m_stream->Storage();
  if (stride < layout.size || m_streamOffset > storage.Length()) return D3DERR_INVALIDCALL;
  // The last vertex needs only its own size, not a whole stride, after its start. Divided rather
  // than multiplied, so that no product can overflow.
  const UINT room = storage.Length() - m_streamOffset;
  const unsigned long long lastVertex = static_cast<unsigned long long>(firstVertex) + vertexCount - 1;
  if (room < layout.size || lastVertex > (room - layout.size) / stride) return D3DERR_INVALIDCALL;
  if (!IsOperational()) return D3D_OK;
  const bool continuesDrawing = m_core->LastSectionWasBy(this);
  GLSection section(*m_core, this);
  if (!section.IsReady()) return D3DERR_DRIVERINTERNALERROR;
  RunHeldClears();
  const bool usesDepth = m_states.render[D3DRS_ZENABLE] != D3DZB_FALSE;
  if (usesDepth && m_renderTarget == m_backBuffer) m_frameUsedDepth = true;
  BindTarget(*m_renderTarget, usesDepth);
  if (usesDepth && m_states.render[D3DRS_ZWRITEENABLE] != FALSE) m_knownDepth.reset();
  if (m_states.render[D3DRS_STENCILENABLE] != FALSE) m_knownStencil.reset();
  const TargetSize size = SizeOf(*m_renderTarget);
  const bool fixedStatesCurrent =
      FixedStatesUnchanged(layout.pretransformed, size) && continuesDrawing && !m_fixedStatesDisturbed;
  m_fixedStatesDisturbed = false;
  VertexProcessor processor(m_states, layout, size, m_centreShift);
  processor.Process(storage.Bytes() + m_streamOffset + size_t(firstVertex) * stride, stride, vertexCount, &m_vertices);
  bool inPage[kDrawnStages] = {};
  PlaceStagesInPage(vertexCount, inPage);
  ApplyDrawState(DrawSetup{&m_states, m_textures, inPage, &m_core->Page(), m_whiteTexture, layout.pretransformed, size},
                 fixedStatesCurrent);
  Submit(type, vertexCount, indices);
  return D3D_OK;
}

bool Device9::FixedStatesUnchanged(bool pretransformed, TargetSize target) {
  FixedStates current{};
  current.render = m_states.render;
  for (DWORD stage = 0; stage < kDrawnStages; ++stage) {
    std::copy(std::begin(m_states.stage[stage]), std::end(m_states.stage[stage]), current.stage[stage]);
  }
  current.viewport = m_states.viewport;
  current.pretransformed = pretransformed;
  current.target = target;
  // Compared as bytes: the record is zeroed first, so its padding compares equal too.
  const bool unchanged = std::memcmp(&current, &m_lastFixedStates, sizeof current) == 0;
  std::memcpy(&m_lastFixedStates, &current, sizeof current);
  return unchanged;
}

// A stage whose texture lies in the texture page samples it there when the draw's coordinates stay
// within the texture, so that no addressing is needed beyond what its border holds.
void Device9::PlaceStagesInPage(UINT vertexCount, bool* inPage) {
  constexpr float kPageStep = 1.0f / float(TexturePage::kSize);
  for (DWORD stage = 0; stage < kDrawnStages; ++stage) {
    Texture9* texture = m_textures[stage];
    if (texture == nullptr || !StageEnabled(m_states, stage)) continue;
    std::vector<float>& coords = m_vertices.texCoords[stage];
    const auto end = coords.begin() + std::ptrdiff_t(vertexCount) * 2;
    const bool within = std::all_of(coords.begin(), end, [](float value) { return value >= 0.0f && value <= 1.0f; });
    const PageSlot* slot = within ? texture->PrepareInPage(m_states.sampler[stage]) : nullptr;
    if (slot == nullptr) continue;
    for (auto at = coords.begin(); at != end; at += 2) {
      at[0] = (float(slot->x) + at[0] * float(slot->width)) * kPageStep;
      at[1] = (float(slot->y) + at[1] * float(slot->height)) * kPageStep;
    }
    inPage[stage] = true;
  }
}

void Device9::Submit(D3DPRIMITIVETYPE type, UINT vertexCount, const std::vector<UINT>* indices) {
  glVertexPointer(4, GL_FLOAT, 0, m_vertices.positions.data());
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, m_vertices.colours.data());
  glFogCoordPointer(GL_FLOAT, 0, m_vertices.fogCoords.data());
  for (DWORD stage = 0; stage < kDrawnStages; ++stage) {
    glClientActiveTexture(GL_TEXTURE0 + stage);
    glTexCoordPointer(2, GL_FLOAT, 0, m_vertices.texCoords[stage].data());
  }
  glClientActiveTexture(GL_TEXTURE0);
  if (indices != nullptr) {
    glDrawElements(GLPrimitive(type), GLsizei(indices->size()), GL_UNSIGNED_INT, indices->data());
  } else {
    glDrawArrays(GLPrimitive(type), 0, GLsizei(vertexCount));
  }
}

// --- Reading back ---------------------------------------------------------------------------------

std::vector<DWORD> Device9::ReadTarget(Surface9& target) {
  DeviceLock lock(m_core->Mutex());
  GLSection section(*m_core);
  if (!section.IsReady()) return {};
  RunHeldClears();
  if (IsWindow(target)) return ReadWindow();
  return target.ReadPixels();
}

bool Device9::BackBufferIsWindow() {
  DeviceLock lock(m_core->Mutex());
  return m_backBufferInWindow;
}

std::vector<DWORD> Device9::ReadWindow() {
  const size_t width = m_parameters.BackBufferWidth;
  const size_t height = m_parameters.BackBufferHeight;
  std::vector<DWORD> pixels(width * height);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  // The window keeps its rows bottom first.
  for (size_t row = 0; row < height / 2; ++row) {
    std::swap_ranges(pixels.begin() + row * width, pixels.begin() + (row + 1) * width,
                     pixels.begin() + (height - 1 - row) * width);
  }
  return pixels;
}

// --- Resources ------------------------------------------------------------------------------------

HRESULT Device9::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                                    HANDLE* sharedHandle) {
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("CreateVertexBuffer", &result)) return result;
  VertexLayout layout;
  const bool tooShort = fvf != 0 && VertexLayout::Decode(fvf, &layout) && length < layout.size;
  if (buffer == nullptr || sharedHandle != nullptr || length == 0 || tooShort || pool > D3DPOOL_SYSTEMMEM) {
    return D3DERR_INVALIDCALL;
  }
  *buffer = new VertexBuffer9(m_core, length, usage, fvf, pool);
  return D3D_OK;
}

HRESULT Device9::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                   IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) {
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("CreateIndexBuffer", &result)) return result;
  const bool knownFormat = format == D3DFMT_INDEX16 || format == D3DFMT_INDEX32;
  if (buffer == nullptr || sharedHandle != nullptr || length == 0 || !knownFormat || pool > D3DPOOL_SYSTEMMEM) {
    return D3DERR_INVALIDCALL;
  }
  *buffer = new IndexBuffer9(m_core, length, usage, format, pool);
  return D3D_OK;
}

HRESULT Device9::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                               IDirect3DTexture9** texture, HANDLE* sharedHandle) {
  HRESULT result = D3D_OK;
  if (TakeScriptedFailure("CreateTexture", &result)) return result;
  if (texture == nullptr || sharedHandle != nullptr) return D3DERR_INVALIDCALL;
  Texture9* created = nullptr;
  result = Texture9::Create(m_core, width, height, levels, usage, format, pool, &created);
  *texture = created;
  return result;
}

HRESULT Device9::GetRenderTarget(DWORD index, IDirect3DSurface9** surface) {
  DeviceLock lock(m_core->Mutex());
  if (index != 0 || surface == nullptr) return D3DERR_INVALIDCALL;
  m_renderTarget->AddRef();
  *surface = m_renderTarget;
  return D3D_OK;
}

HRESULT Device9::SetRenderTarget(DWORD index, IDirect3DSurface9* surface) {
  DeviceLock lock(m_core->Mutex());
  Surface9* ours = dynamic_cast<Surface9*>(surface);
  if (index != 0 || !BelongsHere(ours) || !ours->IsRenderTarget()) return D3DERR_INVALIDCALL;
  if (!m_heldClears.empty()) {
    GLSection section(*m_core);
    if (section.IsReady()) RunHeldClears();
  }
  Rebind(m_renderTarget, ours);
  // A new target gets a viewport over the whole of it.
  m_states.viewport = D3DVIEWPORT9{0, 0, ours->Desc().Width, ours->Desc().Height, 0.0f, 1.0f};
  return D3D_OK;
}

HRESULT Device9::GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) {
  DeviceLock lock(m_core->Mutex());
  if (swapChain != 0 || index >= m_parameters.BackBufferCount || type != D3DBACKBUFFER_TYPE_MONO ||
      surface == nullptr) {
    return D3DERR_INVALIDCALL;
  }
  m_backBuffer->AddRef();
  *surface = m_backBuffer;
  return D3D_OK;
}

}  // namespace D3D9
}  // namespace Platform
