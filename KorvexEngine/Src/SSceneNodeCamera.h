#pragma once

#include "SCamera.h"
#include "SSceneNodeBase.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace KorvexEngine {

// Holds a camera and applies it when rendered. A camera read from a file has its vectors but no
// viewport: its owner creates it before rendering.
class SSceneNodeCamera : public SSceneNodeBase {
 public:
  explicit SSceneNodeCamera(const std::string& name);
  ~SSceneNodeCamera() override;

  void DoSerialize(SCore::SSerializator& serializator) override;
  void DoAction(SSceneNodeAction& action) override;
  // The transformation is not used: the camera's own vectors place the view.
  void DoRender(STransformation& transformation) override;
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  void DoDeserialize(SCore::SDeserializator& deserializator) override;

  boost::shared_ptr<SCamera> m_Camera;
};

}  // namespace KorvexEngine
