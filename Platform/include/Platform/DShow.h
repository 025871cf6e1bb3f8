// COM and DirectShow as the music player uses them: a filter graph that renders one music file
// and plays it through the shared mixer, with its control, event, audio level and seeking
// interfaces reached through QueryInterface. Positions are in units of 100 ns.
#pragma once

#include "Platform/COM.h"

typedef LONGLONG REFERENCE_TIME;
typedef long OAEVENT;
typedef const GUID& REFCLSID;
typedef GUID CLSID;

#define CLSCTX_INPROC_SERVER 0x1
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154)
#define E_ABORT ((HRESULT)0x80004004)
#define VFW_E_NOT_FOUND ((HRESULT)0x80040216)
#define VFW_E_UNSUPPORTED_STREAM ((HRESULT)0x8004022F)
#define VFW_E_WRONG_STATE ((HRESULT)0x80040227)
#define EC_COMPLETE 0x01
#define INFINITE 0xFFFFFFFF

#define AM_SEEKING_NoPositioning 0x0
#define AM_SEEKING_AbsolutePositioning 0x1

extern const GUID CLSID_FilterGraph;
extern const GUID IID_IUnknown;
extern const GUID IID_IGraphBuilder;
extern const GUID IID_IMediaControl;
extern const GUID IID_IMediaEvent;
extern const GUID IID_IBasicAudio;
extern const GUID IID_IMediaSeeking;

// The interfaces of a graph are faces of one object: QueryInterface answers any of them with a
// reference of its own.
struct IGraphUnknown : IUnknown {
  virtual HRESULT QueryInterface(REFIID interfaceId, void** object) = 0;
};

struct IGraphBuilder : IGraphUnknown {
  // Opens and decodes the file (a wide path, translated like every path of the stand-in).
  virtual HRESULT RenderFile(LPCWSTR file, LPCWSTR playList) = 0;
};

struct IMediaControl : IGraphUnknown {
  virtual HRESULT Run() = 0;
  virtual HRESULT Stop() = 0;
};

struct IMediaEvent : IGraphUnknown {
  // Waits until the stream ends (S_OK, EC_COMPLETE) or the time-out passes (E_ABORT).
  virtual HRESULT WaitForCompletion(long timeoutMilliseconds, long* eventCode) = 0;
};

struct IBasicAudio : IGraphUnknown {
  // Hundredths of a decibel, -10000 (silence) to 0 (full level); outside: E_INVALIDARG.
  virtual HRESULT put_Volume(long volume) = 0;
  virtual HRESULT get_Volume(long* volume) = 0;
};

struct IMediaSeeking : IGraphUnknown {
  // The current position equals the stop position exactly once the stream has played to its end.
  virtual HRESULT GetPositions(LONGLONG* current, LONGLONG* stop) = 0;
  virtual HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) = 0;
};

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, LPVOID* object);
