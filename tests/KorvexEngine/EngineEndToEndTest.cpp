// The engine as a game uses it: an application loads its textures, reads a mesh and a scene graph
// from files, and draws the scene through its camera with sprites, a texture font and a form on
// top; the player clicks the form's button.
#include "BackBufferRGB.h"
#include "KorvexApplication.h"
#include "SRenderDevice.h"
#include "SSceneGraph.h"
#include "SSceneNodeCamera.h"
#include "SSceneNodeMesh.h"
#include "SSprite.h"
#include "STextureFont.h"
#include "STextureManager.h"
#include "STriMesh.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "SUIForm.h"
#include "SViewport.h"
#include "SXMLDeserializator.h"
#include "SXMLSerializator.h"
#include "SceneGraphTestSupport.h"
#include "TriMeshTestSupport.h"
#include "smath_matrix.h"

#include "Platform/D3D9TestHooks.h"
#include "Platform/InputInjection.h"
#include "Platform/NativePath.h"
#include "Platform/TestHooks.h"

#include "TempFolder.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace {

using namespace KorvexEngine;

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kBlue = 0xFF0000FF;
constexpr DWORD kClear = 0xFF204080;

void CollectBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// A small picture of one colour, as a BMP file's bytes.
std::string Picture(DWORD colour) {
  std::vector<unsigned char> pixels;
  for (int i = 0; i < 16; ++i)
    pixels.insert(pixels.end(), {BYTE(colour >> 16), BYTE(colour >> 8), BYTE(colour)});
  std::string bytes;
  stbi_write_bmp_to_func(CollectBytes, &bytes, 4, 4, 3, pixels.data());
  return bytes;
}

// A scene file: root 1 over camera 2, looking along -x from 5 units away, and the mesh node 3 of "Box".
void WriteScene(SCore::SSerializator& writer) {
  SceneGraphTest::NodeElement camera{2, 2, {}};
  camera.eye = SCore::SVector3{5.0f, 0.0f, 0.0f};
  camera.at = SCore::SVector3{0.0f, 0.0f, 0.0f};
  camera.up = SCore::SVector3{0.0f, 1.0f, 0.0f};
  SceneGraphTest::WriteGraph(writer, 1, {{1, 0, {2, 3}}, camera, {3, 1, {}}});
}

class ClickCounter : public UI::IUIEvent {
 public:
  void Invoke() override { ++count; }
  std::atomic<int> count{0};
};

// The button's centre in client pixels: the form holds the right-upper quarter, the button sits
// an eighth of the target in from the form's corner.
constexpr int kButtonX = 48;
constexpr int kButtonY = 9;

class SceneApplication : public KorvexApplication {
 public:
  SceneApplication(const std::string& meshFile, const std::string& sceneFile)
      : m_meshFile(meshFile), m_sceneFile(sceneFile) {
    m_clearColor[1] = 0x20;
    m_clearColor[2] = 0x40;
    m_clearColor[3] = 0x80;
  }

  // Runs on the loading thread, as a game's start-up does.
  void DoInitObjects() override {
    const boost::shared_ptr<SCore::STextureManager>& textures = m_viewport->GetTextureManager();
    m_mesh = boost::make_shared<STriMesh>("Noname mesh");
    m_mesh->m_Viewport = m_viewport;
    m_mesh->DoCreate(m_viewport);
    SCore::SXMLDeserializator meshReader(Platform::Utf8ToWide(m_meshFile));
    m_mesh->DoDeserialize(meshReader);
    m_mesh->Material.Texture1 = textures->GetTexture("blue");
    m_mesh->Material.CullMode = D3DCULL_NONE;

    SCore::SXMLDeserializator sceneReader(Platform::Utf8ToWide(m_sceneFile));
    m_scene.DoDeserialize(sceneReader);
    for (const auto& entry : m_scene.Nodes) Bind(*entry.second);

    m_sprite.m_Viewport = m_viewport;
    m_sprite.CoordAligment = 1;
    m_sprite.SetPosition(0.0f, 0.0f);
    m_sprite.SetSize(0.25f, 0.25f);
    m_sprite.Material.Texture1 = textures->GetTexture("green");

    m_font.m_Viewport = m_viewport;
    m_font.IndexMap[L'X'] = 0;
    m_font.Position = SCore::SRect{0.75f, 0.75f, 0.25f, 0.25f};
    m_font.SetText("X");
    m_font.Material.Texture1 = textures->GetTexture("red");

    CreateForm();
  }

  // The owner walks the graph: each node under its own transformation, parents first.
  void DoRenderScene() override {
    TriMeshTest::SetPerspective(*m_viewport->GetRenderDevice(), float(kWidth) / kHeight);
    const std::function<void(SSceneNodeBase&)> render = [&](SSceneNodeBase& node) {
      node.DoRender(node.Transformation);
      for (const auto& child : node.Children) render(*child);
    };
    render(*m_scene.RootNode);
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    m_sprite.Render(&identity);
    m_font.Render(&identity);
    m_ui->DoRender(0.0f, 0.0f);
    const std::vector<DWORD> pixels = BackBuffer();
    std::lock_guard<std::mutex> hold(m_mutex);
    m_lastFrame = pixels;
  }

  // The player's click, one step a frame: press over the button once the input thread sees the
  // cursor there, release once the button is down, and stop a few frames after the click. A
  // deadline keeps a lost event from holding the test.
  void DoUpdate() override {
    const HWND window = m_window->m_window;
    if (m_frames++ == 0) {
      m_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      Platform::Testing::InjectMouseMove(window, kButtonX, kButtonY, kButtonX, kButtonY);
    } else if (m_step == 0 && m_button->m_state == UI::SUIControl::kOver) {
      Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, true, kButtonX, kButtonY);
      m_step = 1;
    } else if (m_step == 1 && m_button->m_pressed) {
      m_buttonDownSeen = m_button->m_state == UI::SUIControl::kDown;
      Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, false, kButtonX, kButtonY);
      m_step = 2;
    } else if (m_step == 2 && m_clicks->count > 0) {
      m_step = 3;
      m_framesAfterClick = 0;
    } else if (m_step == 3) {
      ++m_framesAfterClick;
    }
  }
  bool IsQuitRequested() override {
    return (m_step == 3 && m_framesAfterClick > 2) || (m_frames > 0 && std::chrono::steady_clock::now() > m_deadline);
  }
  void OnLeftButtonDown() override {}
  void OnRightButtonDown() override {}
  void OnLeftButtonUp() override {}
  void OnRightButtonUp() override {}
  void DoRestoreObjects() override {}
  void DoInvalidateObjects() override {}
  void DoRenderLoading() override {}
  void DoCreateLoading() override {}
  void DoLoadingProgress(UINT, UINT) override {}

  std::vector<DWORD> LastFrame() {
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_lastFrame;
  }

  SSceneGraph m_scene;
  const boost::shared_ptr<ClickCounter> m_clicks = boost::make_shared<ClickCounter>();
  boost::shared_ptr<UI::SUIButton> m_button;
  bool m_buttonDownSeen = false;

 private:
  boost::shared_ptr<SSprite> ButtonSprite(const std::string& texture) {
    const auto sprite = boost::make_shared<SSprite>("Noname sprite", false);
    sprite->m_Viewport = m_viewport;
    sprite->CoordAligment = 1;
    sprite->Material.Texture1 = m_viewport->GetTextureManager()->GetTexture(texture);
    return sprite;
  }

  void CreateForm() {
    const auto form = boost::make_shared<UI::SUIForm>("Menu");
    form->m_viewport = m_viewport;
    form->m_x = 0.5f;
    form->m_y = 0.0f;
    form->m_width = form->m_height = 0.5f;
    m_button = boost::make_shared<UI::SUIButton>();
    m_button->m_viewport = m_viewport;
    m_button->m_x = 0.125f;
    m_button->m_y = 0.0625f;
    m_button->m_width = m_button->m_height = 0.25f;
    m_button->m_normalSprite = ButtonSprite("red");
    m_button->m_overSprite = ButtonSprite("green");
    m_button->m_downSprite = ButtonSprite("blue");
    m_button->m_clickCallback = m_clicks;
    form->m_children.push_back(m_button);
    m_ui = boost::make_shared<UI::SUIApplication>();
    m_ui->m_viewport = m_viewport;
    m_ui->AddForm(form);
    m_ui->ShowForm("Menu");
    GetInputMessager()->AddListener(m_ui);
  }

  // A scene file names its drawables and holds bare cameras: the owner binds and creates them.
  void Bind(SSceneNodeBase& node) {
    if (auto* meshNode = dynamic_cast<SSceneNodeMesh*>(&node)) {
      if (meshNode->MeshName == m_mesh->Name) meshNode->m_Mesh = m_mesh;
    }
    if (auto* cameraNode = dynamic_cast<SSceneNodeCamera*>(&node)) cameraNode->m_Camera->Create(m_viewport);
  }

  std::vector<DWORD> BackBuffer() {
    const boost::shared_ptr<SCore::SRenderDevice>& device = m_viewport->GetRenderDevice();
    std::vector<DWORD> pixels = TestSupport::BackBufferPixels(*device);
    return pixels;
  }

  const std::string m_meshFile;
  const std::string m_sceneFile;
  boost::shared_ptr<STriMesh> m_mesh;
  SSprite m_sprite{"Noname sprite", false};
  STextureFont m_font{1.0f, 1.0f, 0.0f};
  std::mutex m_mutex;
  std::vector<DWORD> m_lastFrame;
  boost::shared_ptr<UI::SUIApplication> m_ui;
  int m_frames = 0;
  int m_step = 0;
  int m_framesAfterClick = 0;
  std::chrono::steady_clock::time_point m_deadline;
};

class EngineEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    Platform::Testing::SetSleepHook([](DWORD) {});
    Platform::Testing::StartRecordingMessageBoxes();
    for (const auto& texture : {std::make_pair("red", kRed), std::make_pair("green", kGreen),
                                std::make_pair("blue", kBlue)})
      m_textureList += "<Texture Name=\"" + std::string(texture.first) + "\" Path=\"" +
                       m_folder.Write(std::string(texture.first) + ".bmp", Picture(texture.second)) +
                       "\"></Texture>\n";
    TriMeshTest::MeshDocument box;
    box.name = "Box";
    box.vertices = TriMeshTest::kSquareAcrossX;
    box.indices = TriMeshTest::kSquareIndices;
    WriteDocument("box.xml", [&](SCore::SSerializator& writer) { box.Write(writer); });
    WriteDocument("scene.xml", WriteScene);
  }
  void TearDown() override {
    for (const auto& box : Platform::Testing::TakeRecordedMessageBoxes()) ADD_FAILURE() << "message box: " << box.text;
    Platform::Testing::StopRecordingMessageBoxes();
    Platform::Testing::SetSleepHook(nullptr);
  }

  void WriteDocument(const std::string& name, const std::function<void(SCore::SSerializator&)>& write) {
    SCore::SXMLSerializator writer(Platform::Utf8ToWide(m_folder / name), "Russian");
    write(writer);
    writer.DoFlush();
  }

  TestSupport::TempFolder m_folder;
  std::string m_textureList;
};

DWORD At(const std::vector<DWORD>& pixels, int x, int y) { return pixels[size_t(y) * kWidth + x]; }

TEST_F(EngineEndToEnd, DrawsASceneThroughItsCameraWithSpritesTextAndAFormWhoseButtonIsClicked) {
  SceneApplication application(m_folder / "box.xml", m_folder / "scene.xml");
  application.DoInit("D3D9Render");
  application.Create(Platform::Utf8ToWide(m_folder.Write("textures.xml", "<Textures>\n" + m_textureList + "</Textures>\n")),
                     "Scene test", kWidth, kHeight, 0, false);
  application.DoRender();

  const std::vector<DWORD> pixels = application.LastFrame();
  ASSERT_EQ(pixels.size(), size_t(kWidth * kHeight));
  EXPECT_EQ(At(pixels, kWidth / 2, kHeight / 2), kBlue) << "the mesh in front of the camera";
  EXPECT_EQ(At(pixels, 4, 4), kGreen) << "the sprite at the left-upper corner";
  EXPECT_EQ(At(pixels, kWidth - 4, kHeight - 4), kRed) << "the glyph at the right-lower corner";
  EXPECT_EQ(application.m_clicks->count, 1) << "one click of the button";
  EXPECT_TRUE(application.m_buttonDownSeen);
  EXPECT_EQ(At(pixels, kButtonX, kButtonY), kGreen) << "the button under the cursor after the click";
  EXPECT_EQ(At(pixels, kWidth - 2, 2), kClear);
  EXPECT_EQ(At(pixels, 2, kHeight - 2), kClear);
  EXPECT_EQ(application.m_scene.RootNode->Children.size(), 2u);
}

}  // namespace
