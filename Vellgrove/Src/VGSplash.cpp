#include "VGSplash.h"

#include "BlackTexels.h"
#include "SLoger.h"
#include "STextureFiltration.h"
#include "VGSpriteCreator.h"
#include "smath_matrix.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"
#include "Platform/Win32.h"

#include <algorithm>
#include <cmath>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGSplash";
const wchar_t* const kFolder = L"splash\\";

bool IsFolderEntry(const WIN32_FIND_DATAW& found) { return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// The names of the files (not folders) in the folder, in byte order: the listing's own order
// differs from system to system.
std::vector<std::wstring> ListFiles(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE listing = FindFirstFileW((folder + L"*.*").c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return names;
  do {
    if (!IsFolderEntry(found)) names.emplace_back(found.cFileName);
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
  std::sort(names.begin(), names.end());
  return names;
}

// Each wide character's low byte, as the texture loader takes its paths.
std::string LowBytes(const std::wstring& path) {
  std::string narrow;
  for (wchar_t c : path) narrow += static_cast<char>(c & 0xFF);
  return narrow;
}

}  // namespace

VGSplash::VGSplash() {
  KORVEX_TRY
    Init();
  KORVEX_RETHROW("VGSplash::VGSplash()", kSource)
}

VGSplash::~VGSplash() = default;

void VGSplash::Init() {
  m_pictureSprite = VGSpriteCreator::CreateSprite(1);
  m_pictureSprite->Material.AlphaBlend = 0;
  m_pictureSprite->Material.ZWrite = 0;
  m_pictureSprite->Material.Filtration1.reset(new SCore::STextureFiltration);
  m_pictureSprite->Material.Filtration1->IsBilinear = false;
  m_pictureSprite->CoordAligment = 1;
  m_pictureSprite->SetPosition(0.0f, 0.0f);
  m_pictureSprite->SetSize(1.0f, 1.0f);
  m_pictureSprite->TexCoords = {0.0f, 0.0f, 1.0f, 0.75f};

  m_overlaySprite = VGSpriteCreator::CreateSprite(1);
  SCore::SMaterial& overlay = m_overlaySprite->Material;
  overlay.Texture1 = VGSpriteCreator::GetRenderDevice()->GetTextureManager()->GetTexture("BLACK");
  overlay.AlphaBlend = 1;
  overlay.SrcBlend = 5;
  overlay.DstBlend = 6;
  overlay.ZWrite = 0;
  m_overlaySprite->CoordAligment = 1;
  m_overlaySprite->SetPosition(0.0f, 0.0f);
  m_overlaySprite->SetSize(0.999f, 0.999f);

  CollectPicturePaths();
}

void VGSplash::CollectPicturePaths() {
  m_picturePaths.clear();
  for (const std::wstring& name : ListFiles(kFolder)) m_picturePaths.push_back(kFolder + name);
}

void VGSplash::Load() {
  KORVEX_TRY
    m_pictures.clear();
    const boost::shared_ptr<SCore::SViewport> viewport = VGSpriteCreator::GetRenderDevice();
    for (const std::wstring& path : m_picturePaths) {
      const boost::shared_ptr<SCore::STexture> picture = viewport->CreateTexture("splash");
      try {
        picture->Load(viewport->GetRenderDevice(), LowBytes(path));
      } catch (const SCore::KorvexCoreException& failure) {
        // A stray file in the folder costs its picture, not the game's start.
        SCore::g_Loger << SCore::GetTimeStamp() << " Splash picture left out: " << failure.what() << "\n";
        continue;
      }
      m_pictures.push_back(picture);
    }
    m_startTime = timeGetTime();
    m_done = false;
  KORVEX_RETHROW("VGSplash::Load()", kSource)
}

int VGSplash::OverlayAlpha(float f, bool lastPicture) {
  if (lastPicture) return 0;
  const float s = 5.0f * std::sin(f * 3.14f);
  const float alpha = s > 1.0f ? 1.0f : s;
  return static_cast<int>(255.0f - alpha * 255.0f);
}

void VGSplash::Render() {
  KORVEX_TRY
    const DWORD elapsed = timeGetTime() - m_startTime;
    const size_t index = elapsed / m_period;
    if (index >= m_pictures.size()) {
      m_done = true;
      return;
    }
    DrawPicture(index, elapsed);
  KORVEX_RETHROW("VGSplash::Render()", kSource)
}

void VGSplash::DrawPicture(size_t index, DWORD elapsed) {
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  m_pictureSprite->Material.Texture1 = m_pictures[index];
  m_pictureSprite->Render(&identity);
  const float f = static_cast<float>(elapsed - m_period * static_cast<DWORD>(index)) / static_cast<float>(m_period);
  WriteBlackAlpha(*m_overlaySprite->Material.Texture1, OverlayAlpha(f, index + 1 == m_pictures.size()));
  m_overlaySprite->Render(&identity);
}

}  // namespace Vellgrove
