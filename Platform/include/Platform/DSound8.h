// DirectSound 8 as the game's sound effects use it: a device per voice, a primary buffer whose
// format is set once, and secondary buffers that each hold one whole sound and play it once.
// Every device and buffer plays through one shared mixer; volumes are hundredths of a decibel.
#pragma once

#include "Platform/COM.h"
#include "Platform/MMSystem.h"

typedef const GUID* LPCGUID;

#define DS_OK S_OK
#define DSERR_UNSUPPORTED E_NOTIMPL
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_GENERIC E_FAIL
#define DSERR_INVALIDCALL ((HRESULT)0x88780032)
#define DSERR_PRIOLEVELNEEDED ((HRESULT)0x88780046)
#define DSERR_BADFORMAT ((HRESULT)0x88780064)
#define DSERR_NODRIVER ((HRESULT)0x88780078)

#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_STATIC 0x00000002
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080

#define DSBPLAY_LOOPING 0x00000001
#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define DSBSTATUS_LOOPING 0x00000004

#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0
#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002

extern const GUID GUID_NULL;

struct DSBUFFERDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwBufferBytes;
  DWORD dwReserved;
  LPWAVEFORMATEX lpwfxFormat;
  GUID guid3DAlgorithm;
};
typedef DSBUFFERDESC* LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

struct IDirectSoundBuffer : IUnknown {
  // The primary buffer only: the format the device mixes at.
  virtual HRESULT SetFormat(LPCWAVEFORMATEX format) = 0;
  // The bytes of a region of a secondary buffer to write; only one region is ever given.
  virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, DWORD* bytes1, LPVOID* audio2, DWORD* bytes2,
                       DWORD flags) = 0;
  // What was written becomes the buffer's sound.
  virtual HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) = 0;
  virtual HRESULT SetCurrentPosition(DWORD position) = 0;
  virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
  virtual HRESULT Stop() = 0;
  virtual HRESULT GetStatus(DWORD* status) = 0;
  // Outside DSBVOLUME_MIN..DSBVOLUME_MAX: DSERR_INVALIDPARAM, and the volume stays.
  virtual HRESULT SetVolume(LONG volume) = 0;
  virtual HRESULT GetVolume(LONG* volume) = 0;
};
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;

struct IDirectSound8 : IUnknown {
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
  virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer, IUnknown* outer) = 0;
};
typedef IDirectSound8* LPDIRECTSOUND8;

// Releasing the device releases the buffers it made with it, as on the original platform.
HRESULT DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, IUnknown* outer);
