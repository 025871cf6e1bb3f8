// The D3DX 9 functions that the engine calls: texture loading from files and memory, the device
// font, and the matrix helpers. Pictures are read with stb_image (PNG, JPEG, BMP, TGA) or with
// our own DDS reader, whose compressed formats are decoded to 32 bits.
#pragma once

#include "Platform/D3D9.h"

#define D3DX_DEFAULT ((UINT)-1)
#define D3DX_DEFAULT_NONPOW2 ((UINT)-2)
#define D3DX_FROM_FILE ((UINT)-3)

#define D3DX_FILTER_NONE (1 << 0)
#define D3DX_FILTER_POINT (2 << 0)
#define D3DX_FILTER_LINEAR (3 << 0)
#define D3DX_FILTER_TRIANGLE (4 << 0)
#define D3DX_FILTER_BOX (5 << 0)
#define D3DX_FILTER_DITHER (1 << 19)

#define D3DXERR_INVALIDDATA ((HRESULT)0x88760B59)

enum D3DXIMAGE_FILEFORMAT : DWORD {
  D3DXIFF_BMP = 0,
  D3DXIFF_JPG = 1,
  D3DXIFF_TGA = 2,
  D3DXIFF_PNG = 3,
  D3DXIFF_DDS = 4,
  D3DXIFF_PPM = 5,
  D3DXIFF_DIB = 6,
  D3DXIFF_HDR = 7,
  D3DXIFF_PFM = 8
};

struct D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};

// Width and height D3DX_DEFAULT (or 0) round the picture's size up to powers of two and stretch
// the picture to it; D3DX_DEFAULT_NONPOW2 keeps its size. Mip levels D3DX_DEFAULT or 0 make a full
// chain. Format D3DX_DEFAULT or D3DFMT_UNKNOWN keeps 32 bits: A8R8G8B8 when the picture has
// alpha, X8R8G8B8 otherwise. A non-zero colour key turns pixels of that ARGB colour transparent.
// A missing file answers the file or path result of Windows; a picture that cannot be read,
// D3DXERR_INVALIDDATA.
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, LPCSTR path, IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, LPCSTR path, UINT width, UINT height, UINT mipLevels,
                                     DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                     D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo, PALETTEENTRY* palette,
                                     IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, LPCVOID data, UINT size,
                                          IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, LPCVOID data, UINT size, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                            DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo,
                                            PALETTEENTRY* palette, IDirect3DTexture9** texture);

// --- Device font ----------------------------------------------------------------------------------

#define LF_FACESIZE 32
#define FW_NORMAL 400
#define FW_BOLD 700
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define ANTIALIASED_QUALITY 4

struct LOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTA LOGFONT;

#ifndef DT_TOP
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_NOCLIP 0x00000100
#define DT_CALCRECT 0x00000400
#endif

// A font that draws narrow text into a rectangle of the device's render target. Every face is
// drawn with DejaVu Sans, bold from weight 600 on.
struct ID3DXFont : IUnknown {
  virtual HRESULT Begin() = 0;
  // Count -1 draws up to the terminating NUL. Answers the height of the drawn text, 0 on failure.
  virtual INT DrawTextA(LPCSTR text, INT count, LPRECT rect, DWORD format, D3DCOLOR color) = 0;
  virtual HRESULT End() = 0;
  virtual HRESULT OnLostDevice() = 0;
  virtual HRESULT OnResetDevice() = 0;
};
typedef ID3DXFont* LPD3DXFONT;

HRESULT D3DXCreateFontIndirect(IDirect3DDevice9* device, const LOGFONTA* description, ID3DXFont** font);

// --- Matrices (row vectors, translation in the fourth row) ----------------------------------------

struct D3DXVECTOR3 : D3DVECTOR {
  D3DXVECTOR3() = default;
  D3DXVECTOR3(float vx, float vy, float vz) : D3DVECTOR{vx, vy, vz} {}
};

struct D3DXMATRIX : D3DMATRIX {};

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up);
D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar);
