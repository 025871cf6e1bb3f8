#pragma once

namespace KorvexEngine {

class SSceneNodeBase;
class SSceneNodeCamera;
class SSceneNodeMesh;

// What an owner does with each node it visits; a node calls the one operation of its own kind.
class SSceneNodeAction {
 public:
  virtual ~SSceneNodeAction() = default;
  virtual void OnMeshNode(SSceneNodeMesh& node) = 0;
  virtual void OnCameraNode(SSceneNodeCamera& node) = 0;
  virtual void OnNode(SSceneNodeBase& node) = 0;
};

}  // namespace KorvexEngine
