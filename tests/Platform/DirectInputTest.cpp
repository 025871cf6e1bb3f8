#include "Platform/DInput8.h"
#include "Platform/InputEvents.h"
#include "Platform/Win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace InputEvents = Platform::InputEvents;

class DirectInput : public testing::Test {
 protected:
  void SetUp() override {
    InputEvents::Reset();
    void* created = nullptr;
    ASSERT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr),
              DI_OK);
    m_input = static_cast<IDirectInput8A*>(created);
  }
  void TearDown() override {
    for (IDirectInputDevice8A* device : m_devices) device->Release();
    m_input->Release();
    InputEvents::Reset();
  }

  IDirectInputDevice8A* Create(REFGUID which, const DIDATAFORMAT& format, DWORD bufferSize = 0) {
    IDirectInputDevice8A* device = nullptr;
    EXPECT_EQ(m_input->CreateDevice(which, &device, nullptr), DI_OK);
    m_devices.push_back(device);
    EXPECT_EQ(device->SetDataFormat(&format), DI_OK);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    if (bufferSize > 0) {
      DIPROPDWORD size{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, bufferSize};
      EXPECT_EQ(device->SetProperty(DIPROP_BUFFERSIZE, &size.diph), DI_OK);
    }
    EXPECT_EQ(device->Acquire(), DI_OK);
    return device;
  }

  std::vector<DIDEVICEOBJECTDATA> Drain(IDirectInputDevice8A* mouse, HRESULT* result = nullptr) {
    std::vector<DIDEVICEOBJECTDATA> events(100);
    DWORD count = static_cast<DWORD>(events.size());
    const HRESULT read = mouse->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events.data(), &count, 0);
    if (result) *result = read;
    events.resize(count);
    return events;
  }

  IDirectInput8A* m_input = nullptr;
  std::vector<IDirectInputDevice8A*> m_devices;
};

TEST_F(DirectInput, CreationChecksVersionInterfaceAndDevice) {
  void* created = nullptr;
  EXPECT_EQ(DirectInput8Create(nullptr, 0x0700, IID_IDirectInput8A, &created, nullptr), DIERR_OLDDIRECTINPUTVERSION);
  EXPECT_EQ(DirectInput8Create(nullptr, 0x0900, IID_IDirectInput8A, &created, nullptr), DIERR_BETADIRECTINPUTVERSION);
  EXPECT_EQ(DirectInput8Create(nullptr, 0x0800, GUID_SysMouse, &created, nullptr), DIERR_NOINTERFACE);
  IDirectInputDevice8A* device = nullptr;
  EXPECT_EQ(m_input->CreateDevice(IID_IDirectInput8A, &device, nullptr), DIERR_DEVICENOTREG);
  EXPECT_EQ(device, nullptr);
}

TEST_F(DirectInput, SetUpFollowsTheRulesOfAcquisition) {
  IDirectInputDevice8A* keyboard = nullptr;
  ASSERT_EQ(m_input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
  m_devices.push_back(keyboard);
  EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
  EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIMouse), DIERR_INVALIDPARAM);
  EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
  EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
            DIERR_INVALIDPARAM);
  BYTE keys[256];
  EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_NOTACQUIRED);
  EXPECT_EQ(keyboard->Acquire(), DI_OK);
  EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
  EXPECT_EQ(keyboard->GetDeviceState(255, keys), DIERR_INVALIDPARAM);
}

TEST_F(DirectInput, KeyboardStateFollowsTheKeysAndClearsOnFocusLoss) {
  IDirectInputDevice8A* keyboard = Create(GUID_SysKeyboard, c_dfDIKeyboard);
  InputEvents::KeyChanged(DIK_SPACE, true);
  InputEvents::KeyChanged(DIK_LEFT, true);
  InputEvents::KeyChanged(DIK_LEFT, false);
  BYTE keys[256];
  ASSERT_EQ(keyboard->GetDeviceState(256, keys), DI_OK);
  EXPECT_EQ(keys[DIK_SPACE], 0x80);
  EXPECT_EQ(keys[DIK_LEFT], 0);
  InputEvents::FocusLost();
  ASSERT_EQ(keyboard->GetDeviceState(256, keys), DI_OK);
  EXPECT_EQ(keys[DIK_SPACE], 0);
}

TEST_F(DirectInput, MouseBuffersEventsInOrderAndDropsTheOldestPastItsSize) {
  IDirectInputDevice8A* mouse = Create(GUID_SysMouse, c_dfDIMouse, 4);
  InputEvents::MouseButtonChanged(0, true);
  InputEvents::MouseMoved(5, -3);
  InputEvents::MouseButtonChanged(0, false);
  HRESULT result;
  std::vector<DIDEVICEOBJECTDATA> events = Drain(mouse, &result);
  EXPECT_EQ(result, DI_OK);
  ASSERT_EQ(events.size(), 4u);
  const DWORD offsets[] = {DIMOFS_BUTTON0, DIMOFS_X, DIMOFS_Y, DIMOFS_BUTTON0};
  const DWORD data[] = {0x80, 5, static_cast<DWORD>(-3), 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(events[i].dwOfs, offsets[i]);
    EXPECT_EQ(events[i].dwData, data[i]);
  }
  EXPECT_LT(events[0].dwSequence, events[3].dwSequence);

  for (int i = 0; i < 3; ++i) {
    InputEvents::MouseButtonChanged(1, true);
    InputEvents::MouseButtonChanged(1, false);
  }
  events = Drain(mouse, &result);
  EXPECT_EQ(result, DI_BUFFEROVERFLOW);
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].dwData, 0x80u) << "the oldest two were dropped";
}

TEST_F(DirectInput, AnUnbufferedMouseSaysSoAndALostDeviceMustBeAcquiredAgain) {
  IDirectInputDevice8A* unbuffered = Create(GUID_SysMouse, c_dfDIMouse);
  HRESULT result;
  Drain(unbuffered, &result);
  EXPECT_EQ(result, DIERR_NOTBUFFERED);

  IDirectInputDevice8A* mouse = Create(GUID_SysMouse, c_dfDIMouse, 64);
  InputEvents::LoseAcquisition();
  InputEvents::MouseButtonChanged(0, true);
  Drain(mouse, &result);
  EXPECT_EQ(result, DIERR_INPUTLOST);
  Drain(mouse, &result);
  EXPECT_EQ(result, DIERR_NOTACQUIRED);
  ASSERT_EQ(mouse->Acquire(), DI_OK);
  InputEvents::MouseButtonChanged(0, false);
  EXPECT_EQ(Drain(mouse, &result).size(), 1u);
  EXPECT_EQ(result, DI_OK);
}
