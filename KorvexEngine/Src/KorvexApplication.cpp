#include "KorvexApplication.h"

#include "KorvexCoreException.h"
#include "SBackgroundWorker.h"
#include "SDeserializator.h"
#include "SEvent.h"
#include "SFileHelpers.h"
#include "SInput.h"
#include "SLoger.h"
#include "SRenderDevice.h"
#include "SRenderDeviceResetException.h"
#include "STexture.h"
#include "STextureManager.h"
#include "SUIEvent.h"
#include "SViewport.h"
#include "SViewportFactory.h"
#include "SXMLDeserializator.h"
#include "TScopedLock.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"
#include "Platform/NativePath.h"
#include "Platform/Win32.h"
#include "Platform/Win32Window.h"
#include "Platform/Win32WindowClass.h"

namespace KorvexEngine {

BYTE g_LeftButtonDown = 0;
BYTE g_RightButtonDown = 0;

namespace {

const char* const kSource = ".\\Src\\KorvexApplication";
const DWORD kWindowedStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
const DWORD kCooperativeFlags = 10;  // non-exclusive, in the background
const DWORD kDefaultPressStrategy = 0;

typedef TScopedLock<SLockGuard> RenderLock;

void InstallDeviceLostHandler(SCore::SRenderDevice& device, KorvexApplication* application) {
  device.LostHandler.reset(new SCore::SEvent<KorvexApplication>(&KorvexApplication::OnDeviceLost, application));
}

void InstallDeviceResetHandler(SCore::SRenderDevice& device, KorvexApplication* application) {
  device.ResetHandler.reset(new SCore::SEvent<KorvexApplication>(&KorvexApplication::OnDeviceReset, application));
}

boost::shared_ptr<UI::IUIEvent> Callback(void (KorvexApplication::*handler)(), KorvexApplication* application) {
  return boost::shared_ptr<UI::IUIEvent>(new UI::SUIEvent<KorvexApplication>(handler, application));
}

}  // namespace

KorvexApplication::KorvexApplication() = default;

KorvexApplication::~KorvexApplication() {
  Sleep(1000);
  if (m_inputMessager) m_inputMessager->Stop();
  m_textureListPath.clear();
  m_inputMessager.reset();
  m_window.reset();
  m_viewport.reset();
}

void KorvexApplication::DoInit(const std::string& rendererName) {
  KORVEX_TRY
    SCore::g_Loger << SCore::GetTimeStamp() << " Init application\n";
    m_viewport = SCore::SViewportFactory::CreateViewport(rendererName);
    InstallDeviceLostHandler(*m_viewport->GetRenderDevice(), this);
    InstallDeviceResetHandler(*m_viewport->GetRenderDevice(), this);
  KORVEX_RETHROW("KorvexApplication::DoInit()", kSource)
}

void KorvexApplication::CreateMainWindow(int width, int height, DWORD style) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &KorvexApplication::WndProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  // The program has no cursor of its own: the system cursor is hidden over the client area, where
  // the game draws its own.
  m_window->m_classCursor = LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW);
  windowClass.hCursor = m_window->m_classCursor;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = m_window->m_name.c_str();
  if (RegisterClassExA(&windowClass) == 0) throw SCore::KorvexCoreException("can't register window class");
  RECT outer{0, 0, width, height};
  AdjustWindowRect(&outer, style, FALSE);
  m_window->m_window = CreateWindowExA(0, m_window->m_name.c_str(), m_window->m_name.c_str(), style, CW_USEDEFAULT,
                                       CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
  if (m_window->m_window == nullptr) throw SCore::KorvexCoreException("can't create window");
}

void KorvexApplication::Create(const std::wstring& textureListPath, const char* title, int width, int height,
                               int colorDepth, bool fullScreen) {
  KORVEX_TRY
    if (title == nullptr) throw SCore::KorvexCoreException("can't create window without a title");
    SCore::g_Loger << SCore::GetTimeStamp() << "Starting application\n";
    m_textureListPath = textureListPath;
    m_inputMessager.reset(new SInputMessager);
    m_inputMessager->Init(m_viewport);
    m_window.reset(new SCore::SWindow(title));
    SCore::g_Loger << SCore::GetTimeStamp() << "\tcreate window(" << width << "x" << height << "x" << colorDepth
                   << ")\n";
    CreateMainWindow(width, height, fullScreen ? WS_POPUP : kWindowedStyle);
    ShowWindow(m_window->m_window, SW_SHOWDEFAULT);
    UpdateWindow(m_window->m_window);
    ShowCursor(TRUE);

    const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
    device->Create(m_window->m_window, static_cast<UINT>(width), static_cast<UINT>(height), colorDepth,
                   fullScreen ? 1 : 0);
    device->DoSetmaterial(device->CurrentMaterial);

    const boost::shared_ptr<SCore::SInput>& input = m_viewport->GetInput();
    input->CreateInput(fullScreen, m_window->m_window, kCooperativeFlags, kDefaultPressStrategy);
    input->SetWindow(m_window->m_window);
    const boost::shared_ptr<SCore::SMouse>& mouse = input->GetMouse();
    mouse->m_minimum[0] = 0;
    mouse->m_maximum[0] = width;
    mouse->m_minimum[1] = 0;
    mouse->m_maximum[1] = height;
    input->Update();

    DoCreateLoading();
    m_loading.Set(true);
    m_loadingFailed.Set(false);
    // Should the loading screen raise, the worker's destructor holds the unwinding until the loader
    // thread, which works on this application, has ended.
    SBackgroundWorker worker;
    worker.SetTask(Callback(&KorvexApplication::LoadingTask, this));
    worker.SetFinish(Callback(&KorvexApplication::LoadingFinished, this));
    worker.SetFailure(Callback(&KorvexApplication::LoadingFailed, this));
    worker.Start();
    RunLoadingScreen();
    // The loader thread has shown its failure and logged it; the program ends instead of
    // showing the loading screen for ever.
    if (m_loadingFailed.Get()) throw SCore::KorvexCoreException("loading failed");

    m_inputMessager->Start();
    g_Application = this;
    SCore::g_Loger << SCore::GetTimeStamp() << " Starting complete\n";
  KORVEX_RETHROW("KorvexApplication::Create()", kSource)
}

void KorvexApplication::RunLoadingScreen() {
  while (m_loading.Get() && !m_loadingFailed.Get()) {
    Sleep(100);
    BeginFrame();
    RenderLock hold(m_renderLock);
    DoRenderLoading();
    m_viewport->GetRenderDevice()->EndScene();
  }
}

void KorvexApplication::LoadingTask() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
  LoadTextures(m_textureListPath);
  Init3DObjects();
}

void KorvexApplication::LoadingFinished() { m_loading.Set(false); }

void KorvexApplication::LoadingFailed() { m_loadingFailed.Set(true); }

void KorvexApplication::LoadTextures(const std::wstring& path) {
  KORVEX_TRY
    SCore::SXMLDeserializator reader(path);
    DoLoadTextures(reader);
  KORVEX_RETHROW("KorvexApplication::LoadTextures()", kSource)
}

void KorvexApplication::DoLoadTextures(SCore::SDeserializator& reader) {
  KORVEX_TRY
    SCore::g_Loger << SCore::GetTimeStamp() << " Start loading textures\n";
    const DWORD started = timeGetTime();
    reader.DoBeginChild("Textures");
    const UINT count = reader.DoGetChildCount();
    for (UINT i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      std::string name;
      reader.DoDeserialize("Name", name);
      const boost::shared_ptr<SCore::STexture> texture = m_viewport->CreateTexture(name);
      SCore::g_Loger << SCore::GetTimeStamp() << " loading texture" << name << "\n";
      std::string path;
      reader.DoDeserialize("Path", path);
      // The texture list names its files in narrow text; each byte widens to one character.
      const std::vector<char> bytes = ReadFileToBytes(Platform::WidenBytes(path));
      if (bytes.empty()) throw SCore::KorvexCoreException(("texture file is empty: " + path).c_str());
      {
        RenderLock hold(m_renderLock);
        const UINT size = static_cast<UINT>(bytes.size());
        if (reader.DoIsAvialableName("MipLevels")) {
          UINT mipLevels = 0;
          reader.DoDeserialize("MipLevels", mipLevels);
          texture->LoadFromMemory(m_viewport->GetRenderDevice(), bytes.data(), size, mipLevels);
        } else {
          texture->LoadFromMemory(m_viewport->GetRenderDevice(), bytes.data(), size);
        }
      }
      m_viewport->GetTextureManager()->AddTexture(texture);
      reader.DoEndChild();
      DoLoadingProgress(i, count);
    }
    reader.DoEndChild();
    SCore::g_Loger << SCore::GetTimeStamp() << " Loaded" << count << " textures in " << (timeGetTime() - started)
                   << " milliseconds.";
  KORVEX_RETHROW("KorvexApplication::DoLoadTextures()", kSource)
}

void KorvexApplication::Init3DObjects() {
  KORVEX_TRY
    SCore::g_Loger << SCore::GetTimeStamp() << " Init objects\n";
    DoInitObjects();
    SCore::g_Loger << SCore::GetTimeStamp() << " Init objects Done\n";
  KORVEX_RETHROW("KorvexApplication::Init3DObjects()", kSource)
}

void KorvexApplication::Invalidate3DObjects() {
  KORVEX_TRY
    DoInvalidateObjects();
  KORVEX_RETHROW("KorvexApplication::Invalidate3DObjects()", kSource)
}

void KorvexApplication::StopInputThread() {
  if (m_inputMessager) m_inputMessager->StopAndWait();
}

void KorvexApplication::DoRender() {
  try {
    KORVEX_TRY
      MSG message;
      while (!IsQuitRequested()) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
          if (message.message == WM_QUIT) break;
          TranslateMessage(&message);
          DispatchMessageA(&message);
        }
        Update();
        RenderFrame();
      }
    KORVEX_RETHROW("KorvexApplication::DoRender()", kSource)
  } catch (...) {
    Sleep(1000);
    StopInputThread();
    throw;
  }
  Sleep(1000);
  StopInputThread();
}

void KorvexApplication::Update() {
  KORVEX_TRY
    if (g_LeftButtonDown) {
      OnLeftButtonDown();
    } else {
      OnLeftButtonUp();
    }
    if (g_RightButtonDown) {
      OnRightButtonDown();
    } else {
      OnRightButtonUp();
    }
    DoUpdate();
  KORVEX_RETHROW("KorvexApplication::Update()", kSource)
}

void KorvexApplication::RenderFrame() {
  KORVEX_TRY
    BeginFrame();
    DoRenderScene();
    RenderLock hold(m_renderLock);
    m_viewport->GetRenderDevice()->EndScene();
  KORVEX_RETHROW("KorvexApplication::DoRender()", kSource)
}

void KorvexApplication::BeginFrame() {
  const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
  if (m_clearingEnabled) {
    RenderLock hold(m_renderLock);
    device->DoClearScene(m_clearColor[1], m_clearColor[2], m_clearColor[3]);
    device->DoClearScene(1.0f);
  }
  try {
    RenderLock hold(m_renderLock);
    device->DoBeginScene();
  } catch (const SCore::SRenderDeviceResetException&) {
    Invalidate3DObjects();
  }
}

void KorvexApplication::OnKeyDown(UINT key) {
  if (m_inputMessager) m_inputMessager->GetMessageManager()->QueueKeyDown(static_cast<BYTE>(key));
}

void KorvexApplication::OnKeyUp(UINT key) {
  if (m_inputMessager) m_inputMessager->GetMessageManager()->QueueKeyUp(static_cast<BYTE>(key));
}

void KorvexApplication::OnChar(BYTE character) {
  if (m_inputMessager) m_inputMessager->GetMessageManager()->QueueChar(character);
}

LRESULT KorvexApplication::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SApplication* const application = g_Application.load();
  if (application != nullptr) application->TranslateWindowMessage(message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return DefWindowProcA(window, message, wParam, lParam);
      SetCursor(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR)));
      return 1;
    case WM_COMMAND:
      return 0;
    case WM_LBUTTONDOWN:
      g_LeftButtonDown = 1;
      return 0;
    case WM_LBUTTONUP:
      g_LeftButtonDown = 0;
      return 0;
    case WM_RBUTTONDOWN:
      g_RightButtonDown = 1;
      return 0;
    case WM_RBUTTONUP:
      g_RightButtonDown = 0;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace KorvexEngine
