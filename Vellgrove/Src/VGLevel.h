#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "VGBody.h"
#include "VGToolType.h"

#include <boost/shared_ptr.hpp>

#include <list>
#include <string>

namespace Vellgrove {

class VGPYGameObject;
class VGPythonFunctor;
class VGPythonObject;
class VGLevelTrainer;
class VGTool;
class VGWorld;

// One playable level: its names and size, the spells it allows, its world, the camera that
// scrolls the one-unit view over it, the play-time countdown and the script rules that apply
// spells and decide when it is won or lost. The world advances in fixed ticks of 10 ms of the
// multimedia clock, whatever the frame rate.
class VGLevel : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  struct ToolArea {
    float X;
    float Y;
    float Width;
    float Height;
  };

  explicit VGLevel(const std::string& name);
  ~VGLevel() override;
  VGLevel(const VGLevel&) = delete;
  VGLevel& operator=(const VGLevel&) = delete;

  void Create();
  // Writes the level's name, size, start and tools; not a whole level file.
  void DoSerialize(SCore::SSerializator& writer) override;
  void DoDeserialize(SCore::SDeserializator& reader, unsigned int index) override;
  // The level file, from its document.
  void DoDeserialize(SCore::SDeserializator& reader) override;

  // Raises "Tool already exist" for a second tool of one type.
  void AddTool(const boost::shared_ptr<VGTool>& tool);
  void AddGameObject(const boost::shared_ptr<VGPYGameObject>& object);
  // Once per frame: the frame's world ticks (none while paused, but always the step with dt 0),
  // the camera's ticks, its friction and clamp, the world's scroll and the countdown.
  void Update(bool paused);
  void Render();
  void ScrollXPlus();
  void ScrollXMinus();
  void ScrollYPlus();
  void ScrollYMinus();
  VGBody GetCameraBody() const { return m_cameraBody; }

  struct WorldPoint {
    float X;
    float Y;
  };

  // A recognised spell at (x, y) in fractions of the view, the stroke's size likewise: refused
  // outside the tool area and for a spell the level does not allow, else the scripts decide.
  bool ProcessTool(VGToolType tool, float x, float y, float width, float height);
  // The world point under a point of the tool area, through the scroll the world is drawn with.
  WorldPoint ToolPointToWorld(float x, float y) const;
  // Each answers true at most once per level.
  bool IsDone();
  bool IsFailed();
  // The level's characters, in adopting order; none when the level has no actor-type object.
  void GetActors(std::list<boost::shared_ptr<VGPythonObject>>& out);

  const boost::shared_ptr<VGWorld>& GetWorld() const { return m_world; }
  const std::list<boost::shared_ptr<VGTool>>& GetTools() const { return m_tools; }

  std::string Name;
  std::string ShowName;
  ToolArea m_toolArea{0.0f, 0.0f, 0.999f, 0.999f};
  float SizeX = 1.0f;
  float SizeY = 1.0f;
  float PlayTime = 0.0f;
  float m_remainingTime = 0.0f;
  bool Sun = true;
  // The level's tutorial, when its file names a "Help" script.
  boost::shared_ptr<VGLevelTrainer> m_trainer;
  std::string Help;
  float m_moveForce = 1.1f;
  float m_moveAttenuation = 1.0f;

 private:
  struct Clock {
    unsigned int Previous;
    unsigned int Current;
  };

  void ReadHeader(SCore::SDeserializator& reader);
  void ReadTools(SCore::SDeserializator& reader);
  void ApplyCameraFriction();
  void ClampCamera();
  void SnapScroll();
  bool AskOnce(VGPythonFunctor& rule, const char* name, bool& reported);

  Clock m_worldClock;
  Clock m_cameraClock{0, 0};
  boost::shared_ptr<VGWorld> m_world;
  bool m_doneReported = false;
  bool m_failedReported = false;
  std::list<boost::shared_ptr<VGTool>> m_tools;
  VGBody m_cameraBody;
  boost::shared_ptr<VGPythonFunctor> m_processTool;
  boost::shared_ptr<VGPythonFunctor> m_isDone;
  boost::shared_ptr<VGPythonFunctor> m_isFailed;
  bool m_firstUpdate = true;
};

}  // namespace Vellgrove
