// A 1024 by 768 frame as the game draws it: a full-screen background, 200 alpha-blended 64 by 64
// sprites and 400 glyph quads (20 texts of 20 glyphs), drawn once through our Direct3D 9 stand-in
// as the engine draws (material states, binds and one indexed draw per sprite and per text) and
// through SDL's own 2-D renderer (OpenGL driver) in the same process, once as it draws by default
// with a driver named and once with its batching on. Prints the frames per second of each, the
// stand-in's time by stage, and the stand-in's ratio to the faster of the two SDL runs.

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Platform/D3D9.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kSprites = 200;
constexpr int kSpriteSize = 64;
constexpr int kTexts = 20;
constexpr int kGlyphsPerText = 20;
constexpr int kGlyphSize = 16;
constexpr int kAtlasSize = 256;
constexpr int kSpriteTextures = 4;
constexpr DWORD kFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Vertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};

struct Placement {
  float x, y;
};

// A pattern with soft alpha, so that blending has work to do.
std::vector<DWORD> Pattern(int width, int height, DWORD tint) {
  std::vector<DWORD> pixels(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const DWORD alpha = DWORD((x * 255) / std::max(1, width - 1)) | 0x40;
      pixels[size_t(y) * width + x] = (alpha << 24) | ((tint & 0x00FFFFFF) ^ DWORD((x ^ y) & 0x3F));
    }
  }
  return pixels;
}

Placement SpritePlace(int index) {
  return {float((index * 97) % (kWidth - kSpriteSize)), float((index * 61) % (kHeight - kSpriteSize))};
}

Placement TextPlace(int index) { return {16.0f, 24.0f + float(index) * 36.0f}; }

// --- The stand-in ---------------------------------------------------------------------------------

struct Quads {
  IDirect3DVertexBuffer9* vertices = nullptr;
  IDirect3DIndexBuffer9* indices = nullptr;
  UINT count = 0;
};

class StandInScene {
 public:
  bool Open() {
    m_window =
        CreateWindowExA(0, "Bench", "Bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (m_window == nullptr || m_d3d == nullptr) return false;
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = m_window;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D32;  // what the engine picks first
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    if (FAILED(m_d3d->CreateDevice(0, D3DDEVTYPE_HAL, m_window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters,
                                   &m_device))) {
      return false;
    }
    m_background = MakeTexture(kWidth, kHeight, Pattern(kWidth, kHeight, 0xFF204060));
    for (int index = 0; index < kSpriteTextures; ++index) {
      m_spriteTextures.push_back(
          MakeTexture(kSpriteSize, kSpriteSize, Pattern(kSpriteSize, kSpriteSize, 0xFF8000FF + DWORD(index) * 0x3000)));
    }
    m_atlas = MakeTexture(kAtlasSize, kAtlasSize, Pattern(kAtlasSize, kAtlasSize, 0xFFFFFFFF));
    m_backgroundQuad = MakeQuads({{0.0f, 0.0f}}, float(kWidth), float(kHeight), 1.0f);
    for (int index = 0; index < kSprites; ++index) {
      m_spriteQuads.push_back(MakeQuads({SpritePlace(index)}, kSpriteSize, kSpriteSize, 1.0f));
    }
    for (int text = 0; text < kTexts; ++text) {
      std::vector<Placement> glyphs;
      for (int glyph = 0; glyph < kGlyphsPerText; ++glyph) {
        glyphs.push_back({TextPlace(text).x + float(glyph * kGlyphSize), TextPlace(text).y});
      }
      m_textQuads.push_back(MakeQuads(glyphs, kGlyphSize, kGlyphSize, float(kGlyphSize) / kAtlasSize));
    }
    return true;
  }

  ~StandInScene() {
    for (Quads* quads : AllQuads()) {
      if (quads->vertices != nullptr) quads->vertices->Release();
      if (quads->indices != nullptr) quads->indices->Release();
    }
    for (IDirect3DTexture9* texture : m_spriteTextures) texture->Release();
    if (m_background != nullptr) m_background->Release();
    if (m_atlas != nullptr) m_atlas->Release();
    if (m_device != nullptr) m_device->Release();
    if (m_d3d != nullptr) m_d3d->Release();
    if (m_window != nullptr) DestroyWindow(m_window);
  }

  void DrawFrame() {
    DrawScene();
    Present();
  }

  void DrawScene() {
    m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    m_device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    m_device->BeginScene();
    ApplyMaterial(m_background, false);
    Draw(m_backgroundQuad);
    for (int index = 0; index < kSprites; ++index) {
      ApplyMaterial(m_spriteTextures[size_t(index % kSpriteTextures)], true);
      Draw(m_spriteQuads[size_t(index)]);
    }
    for (const Quads& text : m_textQuads) {
      ApplyMaterial(m_atlas, true);
      Draw(text);
    }
    m_device->EndScene();
  }

  void Present() { m_device->Present(nullptr, nullptr, nullptr, nullptr); }

 private:
  IDirect3DTexture9* MakeTexture(int width, int height, const std::vector<DWORD>& pixels) {
    IDirect3DTexture9* texture = nullptr;
    m_device->CreateTexture(UINT(width), UINT(height), 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (int row = 0; row < height; ++row) {
      std::memcpy(static_cast<BYTE*>(locked.pBits) + row * locked.Pitch, &pixels[size_t(row) * width],
                  size_t(width) * 4);
    }
    texture->UnlockRect(0);
    return texture;
  }

  // One quad per placement, in the engine's order (corners LU, RU, RD, LD; indices 0 1 3, 1 2 3).
  Quads MakeQuads(const std::vector<Placement>& places, float width, float height, float uvSize) {
    Quads quads;
    quads.count = UINT(places.size());
    m_device->CreateVertexBuffer(quads.count * 4 * sizeof(Vertex), D3DUSAGE_WRITEONLY, kFvf, D3DPOOL_MANAGED,
                                 &quads.vertices, nullptr);
    m_device->CreateIndexBuffer(quads.count * 6 * 2, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                &quads.indices, nullptr);
    Vertex* vertices = nullptr;
    WORD* indices = nullptr;
    quads.vertices->Lock(0, 0, reinterpret_cast<void**>(&vertices), 0);
    quads.indices->Lock(0, 0, reinterpret_cast<void**>(&indices), 0);
    for (UINT index = 0; index < quads.count; ++index) {
      const float left = places[index].x - 0.5f;
      const float top = places[index].y - 0.5f;
      const float u = float(index % 16) * uvSize;
      Vertex* corner = vertices + index * 4;
      corner[0] = {left, top, 0.0f, 1.0f, 0xFFFFFFFF, u, 0.0f};
      corner[1] = {left + width, top, 0.0f, 1.0f, 0xFFFFFFFF, u + uvSize, 0.0f};
      corner[2] = {left + width, top + height, 0.0f, 1.0f, 0xFFFFFFFF, u + uvSize, uvSize};
      corner[3] = {left, top + height, 0.0f, 1.0f, 0xFFFFFFFF, u, uvSize};
      const WORD base = WORD(index * 4);
      const WORD order[6] = {0, 1, 3, 1, 2, 3};
      for (int entry = 0; entry < 6; ++entry) indices[index * 6 + UINT(entry)] = WORD(base + order[entry]);
    }
    quads.vertices->Unlock();
    quads.indices->Unlock();
    return quads;
  }

  // What a material sets before each drawable is drawn.
  void ApplyMaterial(IDirect3DTexture9* texture, bool blended) {
    m_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    m_device->SetRenderState(D3DRS_ALPHABLENDENABLE, blended ? TRUE : FALSE);
    m_device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    m_device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    m_device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    m_device->SetRenderState(D3DRS_ZENABLE, FALSE);
    m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
    m_device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    m_device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    m_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    m_device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    if (texture != m_boundTexture) {
      m_device->SetTexture(0, texture);
      m_boundTexture = texture;
    }
  }

  void Draw(const Quads& quads) {
    m_device->SetStreamSource(0, quads.vertices, 0, sizeof(Vertex));
    m_device->SetIndices(quads.indices);
    m_device->SetFVF(kFvf);
    m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, quads.count * 4, 0, quads.count * 2);
  }

  std::vector<Quads*> AllQuads() {
    std::vector<Quads*> all = {&m_backgroundQuad};
    for (Quads& quads : m_spriteQuads) all.push_back(&quads);
    for (Quads& quads : m_textQuads) all.push_back(&quads);
    return all;
  }

  HWND m_window = nullptr;
  IDirect3D9* m_d3d = nullptr;
  IDirect3DDevice9* m_device = nullptr;
  IDirect3DTexture9* m_background = nullptr;
  IDirect3DTexture9* m_atlas = nullptr;
  IDirect3DTexture9* m_boundTexture = nullptr;
  std::vector<IDirect3DTexture9*> m_spriteTextures;
  Quads m_backgroundQuad;
  std::vector<Quads> m_spriteQuads;
  std::vector<Quads> m_textQuads;
};

// --- SDL's renderer -------------------------------------------------------------------------------

template <bool kBatching>
class SdlScene {
 public:
  bool Open() {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    // Naming a driver turns batching off unless it is asked for.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, kBatching ? "1" : "0");
    // SDL's window as SDL makes it by default, whatever our window asked of OpenGL before.
    SDL_GL_ResetAttributes();
    m_window = SDL_CreateWindow("Bench", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (m_window == nullptr) return false;
    m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_ACCELERATED);
    if (m_renderer == nullptr) return false;
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(m_renderer, &info);
    if (std::strcmp(info.name, "opengl") != 0) return false;
    m_background = MakeTexture(kWidth, kHeight, Pattern(kWidth, kHeight, 0xFF204060), SDL_BLENDMODE_NONE);
    for (int index = 0; index < kSpriteTextures; ++index) {
      m_spriteTextures.push_back(MakeTexture(kSpriteSize, kSpriteSize,
                                             Pattern(kSpriteSize, kSpriteSize, 0xFF8000FF + DWORD(index) * 0x3000),
                                             SDL_BLENDMODE_BLEND));
    }
    m_atlas = MakeTexture(kAtlasSize, kAtlasSize, Pattern(kAtlasSize, kAtlasSize, 0xFFFFFFFF), SDL_BLENDMODE_BLEND);
    return true;
  }

  ~SdlScene() {
    for (SDL_Texture* texture : m_spriteTextures) SDL_DestroyTexture(texture);
    if (m_background != nullptr) SDL_DestroyTexture(m_background);
    if (m_atlas != nullptr) SDL_DestroyTexture(m_atlas);
    if (m_renderer != nullptr) SDL_DestroyRenderer(m_renderer);
    if (m_window != nullptr) SDL_DestroyWindow(m_window);
  }

  void DrawFrame() {
    DrawScene();
    Present();
  }

  void DrawScene() {
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_background, nullptr, nullptr);
    for (int index = 0; index < kSprites; ++index) {
      const Placement place = SpritePlace(index);
      const SDL_Rect target{int(place.x), int(place.y), kSpriteSize, kSpriteSize};
      SDL_RenderCopy(m_renderer, m_spriteTextures[size_t(index % kSpriteTextures)], nullptr, &target);
    }
    for (int text = 0; text < kTexts; ++text) {
      for (int glyph = 0; glyph < kGlyphsPerText; ++glyph) {
        const SDL_Rect source{(glyph % 16) * kGlyphSize, 0, kGlyphSize, kGlyphSize};
        const SDL_Rect target{int(TextPlace(text).x) + glyph * kGlyphSize, int(TextPlace(text).y), kGlyphSize,
                              kGlyphSize};
        SDL_RenderCopy(m_renderer, m_atlas, &source, &target);
      }
    }
  }

  void Present() { SDL_RenderPresent(m_renderer); }

 private:
  SDL_Texture* MakeTexture(int width, int height, const std::vector<DWORD>& pixels, SDL_BlendMode blend) {
    SDL_Texture* texture =
        SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4);
    SDL_SetTextureBlendMode(texture, blend);
    return texture;
  }

  SDL_Window* m_window = nullptr;
  SDL_Renderer* m_renderer = nullptr;
  SDL_Texture* m_background = nullptr;
  SDL_Texture* m_atlas = nullptr;
  std::vector<SDL_Texture*> m_spriteTextures;
};

template <class Scene>
void RunScene(benchmark::State& state) {
  Scene scene;
  if (!scene.Open()) {
    state.SkipWithError("the scene could not be opened");
    return;
  }
  scene.DrawFrame();  // the first frame uploads the textures
  // The frame's cost by stage: the calls that draw it, and Present, which waits for what they queued.
  typedef std::chrono::steady_clock Clock;
  Clock::duration drawing{};
  Clock::duration presenting{};
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    scene.DrawScene();
    const Clock::time_point drawn = Clock::now();
    scene.Present();
    drawing += drawn - start;
    presenting += Clock::now() - drawn;
  }
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  const double frames = double(std::max<benchmark::IterationCount>(state.iterations(), 1));
  state.counters["draw_ms"] = std::chrono::duration<double, std::milli>(drawing).count() / frames;
  state.counters["present_ms"] = std::chrono::duration<double, std::milli>(presenting).count() / frames;
}

void BM_StandInScene(benchmark::State& state) { RunScene<StandInScene>(state); }
void BM_SdlRendererScene(benchmark::State& state) { RunScene<SdlScene<false>>(state); }
void BM_SdlRendererBatchedScene(benchmark::State& state) { RunScene<SdlScene<true>>(state); }

BENCHMARK(BM_StandInScene)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SdlRendererScene)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SdlRendererBatchedScene)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Shows the usual table and keeps the frame rate of each scene for the comparison: the median of
// the repetitions when there are several, else the one run.
class FrameRateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto found = run.counters.find("fps");
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (found == run.counters.end() || (run.run_type == Run::RT_Aggregate && !median)) continue;
      const std::string name = run.benchmark_name();
      double* slot = name.find("StandIn") != std::string::npos ? &standIn
                     : name.find("Batched") != std::string::npos ? &sdlBatched
                                                                 : &sdl;
      *slot = found->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double standIn = 0.0;
  double sdl = 0.0;
  double sdlBatched = 0.0;
};

}  // namespace

int main(int argc, char** argv) {
  // The machine may be busy with other work: both scenes run three times, interleaved, unless the
  // command line says otherwise.
  std::vector<char*> arguments(argv, argv + argc);
  char repetitions[] = "--benchmark_repetitions=3";
  char interleaving[] = "--benchmark_enable_random_interleaving=true";
  if (argc == 1) {
    arguments.push_back(repetitions);
    arguments.push_back(interleaving);
  }
  int count = int(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  FrameRateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("Direct3D 9 stand-in: %.1f frames per second\n", reporter.standIn);
  std::printf("SDL_Renderer (opengl): %.1f frames per second\n", reporter.sdl);
  std::printf("SDL_Renderer (opengl, batching): %.1f frames per second\n", reporter.sdlBatched);
  const double fastest = std::max(reporter.sdl, reporter.sdlBatched);
  if (fastest > 0.0) std::printf("ratio stand-in / faster SDL_Renderer: %.2f\n", reporter.standIn / fastest);
  benchmark::Shutdown();
  return 0;
}
