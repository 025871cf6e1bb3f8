// A hidden window with a Direct3D 9 viewport on it, and helpers that read what the render classes
// report.
#pragma once

#include "KorvexCoreException.h"
#include "LogCapture.h"
#include "SD3D9RenderDevice.h"
#include "SViewportFactory.h"

#include "D3D9WindowFixture.h"
#include "Platform/D3D9TestHooks.h"
#include "Platform/TestHooks.h"
#include "Platform/Win32Window.h"

#include <boost/pointer_cast.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

namespace RenderTest {

// The message of the core exception that the action raises, with its line numbers left out, so
// that a test compares the whole chain of contexts; "no failure" when nothing is raised.
inline std::string FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const SCore::KorvexCoreException& failure) {
    return std::regex_replace(failure.what(), std::regex(" at:[0-9]+"), " at:");
  }
  return "no failure";
}

inline std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class RenderFixture : public TestSupport::D3D9WindowFixture<64, 48> {
 protected:
  void SetUp() override {
    D3D9WindowFixture::SetUp();
    if (HasFatalFailure()) return;
    viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
    device = viewport->GetRenderDevice();
    d3d9 = boost::dynamic_pointer_cast<SCore::SD3D9RenderDevice>(device);
    ASSERT_TRUE(d3d9);
  }

  void TearDown() override {
    d3d9.reset();
    device.reset();
    viewport.reset();
    Platform::Testing::UseRealAdapters();
    Platform::Testing::SetSleepHook(nullptr);
    D3D9WindowFixture::TearDown();
  }

  void CreateWindowed() { device->Create(window, 800, 600, 0, 0); }

  IDirect3DDevice9* Native() {
    IDirect3DDevice9* native = device->Lock();
    device->Unlock();
    return native;
  }

  std::vector<DWORD> BackBufferPixels() { return BackBufferPixelsOf(Native()); }

  boost::shared_ptr<SCore::SViewport> viewport;
  boost::shared_ptr<SCore::SRenderDevice> device;
  boost::shared_ptr<SCore::SD3D9RenderDevice> d3d9;
};

}  // namespace RenderTest
