#include "VGComics.h"

#include "SCameraFactory.h"
#include "SEngineException.h"
#include "SDeserializator.h"
#include "SSerializator.h"
#include "SUIEvent.h"
#include "VGSkipForm.h"
#include "VGSpriteCreator.h"

#include "smath_matrix.h"
#include "srethrow.h"

#include <boost/make_shared.hpp>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGComics";
const int kPlay = 1;

SCore::SVector3 Between(const SCore::SVector3& from, const SCore::SVector3& to, float f) {
  return SCore::SVector3{from.X + f * (to.X - from.X), from.Y + f * (to.Y - from.Y), from.Z + f * (to.Z - from.Z)};
}

}  // namespace

VGComics::VGComics(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager)
    : SAnimator("NonameAnimator"), m_inputMessager(inputMessager) {
  KORVEX_TRY
    CreateCamera();
    m_skipForm = CreateSkipForm(boost::make_shared<KorvexEngine::UI::SUIEvent<VGComics>>(&VGComics::OnSkip, this));
    if (m_inputMessager) m_inputMessager->AddListener(m_skipForm);
    m_skipForm->m_enabled = true;
    m_finished.Set(false);
  KORVEX_RETHROW("VGComics::VGComics()", kSource)
}

VGComics::~VGComics() {
  if (m_skipForm) m_skipForm->m_enabled = false;
}

void VGComics::CreateCamera() {
  m_camera = KorvexEngine::SCameraFactory::Create(0);
  m_camera->Create(VGSpriteCreator::GetRenderDevice());
  m_camera->Eye = SCore::SVector3{0.0f, -2.0f, -3.0f};
  m_camera->At = SCore::SVector3{0.0f, -2.0f, 0.0f};
}

void VGComics::DoSerialize(SCore::SSerializator& writer) {
  KORVEX_TRY
    writer.DoBeginChild("AnimationTrack");
    writer.DoBeginChild("Frames");
    for (const VGComicsKeyFrame& frame : m_keyFrames) {
      writer.DoBeginChild("KeyFrame");
      writer.DoSerialize("Eye", frame.Eye);
      writer.DoSerialize("At", frame.At);
      writer.DoSerialize("Time", frame.Time);
      writer.DoEndChild();
    }
    writer.DoEndChild();
    writer.DoBeginChild("Meshes");
    for (const boost::shared_ptr<KorvexEngine::STriMesh>& mesh : m_meshes) {
      writer.DoBeginChild("ComicsMesh");
      mesh->DoSerialize(writer);
      writer.DoEndChild();
    }
    writer.DoEndChild();
    writer.DoEndChild();
  KORVEX_RETHROW("VGComics::DoSerialize()", kSource)
}

void VGComics::DoDeserialize(SCore::SDeserializator&, unsigned int) {
  KORVEX_TRY
    throw KorvexEngine::SEngineException("inconclusive");
  KORVEX_RETHROW("VGComics::DoDeserialize()", kSource)
}

void VGComics::DoDeserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("AnimationTrack");
    ReadKeyFrames(reader);
    ReadMeshes(reader);
    reader.DoEndChild();
  KORVEX_RETHROW("VGComics::DoDeserialize()", kSource)
}

void VGComics::ReadKeyFrames(SCore::SDeserializator& reader) {
  reader.DoBeginChild("Frames");
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    reader.DoBeginChild(i);
    VGComicsKeyFrame frame{};
    reader.DoDeserialize("Eye", frame.Eye);
    reader.DoDeserialize("At", frame.At);
    reader.DoDeserialize("Time", frame.Time);
    reader.DoEndChild();
    m_keyFrames.push_back(frame);
  }
  reader.DoEndChild();
}

void VGComics::ReadMeshes(SCore::SDeserializator& reader) {
  reader.DoBeginChild("Meshes");
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    const boost::shared_ptr<KorvexEngine::STriMesh> mesh = boost::make_shared<KorvexEngine::STriMesh>("Noname mesh");
    mesh->m_Viewport = VGSpriteCreator::GetRenderDevice();
    mesh->DoCreate(mesh->m_Viewport);
    reader.DoBeginChild(i);
    mesh->DoDeserialize(reader);
    m_meshes.push_back(mesh);
    reader.DoEndChild();
  }
  reader.DoEndChild();
}

void VGComics::DoUpdate(DWORD elapsedMilliseconds) {
  KORVEX_TRY
    if (m_mode != kPlay) return;
    const float t = float(elapsedMilliseconds) * 0.001f;
    float sum = 0.0f;
    for (size_t k = 0; k < m_keyFrames.size(); ++k) {
      const VGComicsKeyFrame& frame = m_keyFrames[k];
      sum += frame.Time;
      if (t >= sum) continue;
      const VGComicsKeyFrame& next = k + 1 < m_keyFrames.size() ? m_keyFrames[k + 1] : frame;
      const float f = (t - sum + frame.Time) / frame.Time;
      m_camera->At = Between(frame.At, next.At, f);
      m_camera->Eye = Between(frame.Eye, next.Eye, f);
      return;
    }
    Finish();
  KORVEX_RETHROW("VGComics::Render()", kSource)
}

void VGComics::Render() {
  KORVEX_TRY
    m_camera->Set();
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    for (const boost::shared_ptr<KorvexEngine::STriMesh>& mesh : m_meshes) mesh->Render(&identity);
    m_skipForm->Render(0.0f, 0.0f);
  KORVEX_RETHROW("VGComics::Render()", kSource)
}

void VGComics::OnSkip() { Finish(); }

void VGComics::Finish() {
  m_finished.Set(true);
  m_skipForm->m_enabled = false;
}

}  // namespace Vellgrove
