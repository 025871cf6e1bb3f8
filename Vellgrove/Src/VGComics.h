#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SAnimator.h"
#include "SCamera.h"
#include "SInputMessager.h"
#include "STriMesh.h"
#include "SUIForm.h"
#include "SVector3.h"
#include "TSafeData.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Vellgrove {

// A camera position on a comics' path and how long the camera takes from it to the next.
struct VGComicsKeyFrame {
  SCore::SVector3 Eye;
  SCore::SVector3 At;
  float Time;  // seconds
};

// The short cut-scene after some levels: a camera glides along key frames over textured panels, with
// a skip button. Its clock starts when it is made; it finishes when the path has played out or the
// player skips.
class VGComics : public SCore::ISerialize, public SCore::IDeserialize, public SCore::SAnimator {
 public:
  explicit VGComics(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager);
  // Disables the skip form, which the input thread keeps after the comics has gone.
  ~VGComics() override;
  VGComics(const VGComics&) = delete;
  VGComics& operator=(const VGComics&) = delete;

  void DoSerialize(SCore::SSerializator& serializator) override;
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  void DoDeserialize(SCore::SDeserializator& deserializator) override;
  // Moves the camera along the path; elapsed milliseconds since the comics was made.
  void DoUpdate(DWORD elapsedMilliseconds) override;
  void Render();
  // The skip button's handler, on the input thread.
  void OnSkip();
  bool IsFinished() { return m_finished.Get(); }

  const boost::shared_ptr<KorvexEngine::SCamera>& GetCamera() const { return m_camera; }
  const std::vector<VGComicsKeyFrame>& GetKeyFrames() const { return m_keyFrames; }
  const std::vector<boost::shared_ptr<KorvexEngine::STriMesh>>& GetMeshes() const { return m_meshes; }
  const boost::shared_ptr<KorvexEngine::UI::SUIForm>& GetSkipForm() const { return m_skipForm; }

 private:
  void CreateCamera();
  void ReadKeyFrames(SCore::SDeserializator& reader);
  void ReadMeshes(SCore::SDeserializator& reader);
  void Finish();

  std::vector<boost::shared_ptr<KorvexEngine::STriMesh>> m_meshes;
  boost::shared_ptr<KorvexEngine::SCamera> m_camera;
  std::vector<VGComicsKeyFrame> m_keyFrames;
  int m_mode = 1;  // 1: play
  KorvexEngine::TSafeData<bool> m_finished;
  boost::shared_ptr<KorvexEngine::UI::SUIForm> m_skipForm;
  boost::shared_ptr<KorvexEngine::SInputMessager> m_inputMessager;
};

}  // namespace Vellgrove
