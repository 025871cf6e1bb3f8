#include "VGLevel.h"

#include "KorvexCoreException.h"
#include "ReleaseScriptValue.h"
#include "SDeserializator.h"
#include "SEngineException.h"
#include "SSerializator.h"
#include "VGLevelTrainer.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPythonDictionary.h"
#include "VGPythonFunctor.h"
#include "VGPythonList.h"
#include "VGPythonLock.h"
#include "VGPythonObject.h"
#include "VGTool.h"
#include "VGWorld.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"
#include "Platform/NativePath.h"

#include <cmath>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGLevel";
const unsigned int kTickMilliseconds = 10;
const float kTick = 0.01f;
// The level view is 896 by 732 pixels of a 1024 by 768 screen; the scroll lands on half a pixel.
const float kViewPixelsX = 896.0f;
const float kViewPixelsY = 732.0f;
const float kHalfPixelX = 0.00055803574f;
const float kHalfPixelY = 0.00068306009f;
const float kRestingCameraSpeed = 0.01f;

float Against(float velocity) { return velocity > 0.0f ? -1.0f : (velocity < 0.0f ? 1.0f : 0.0f); }

// Keeps the camera's offset within [low, 0], stopping it at an edge.
void ClampAxis(float& position, float& velocity, float low) {
  bool clamped = true;
  if (position < low) {
    position = low;
  } else if (position > 0.0f) {
    position = 0.0f;
  } else {
    clamped = false;
  }
  if (clamped && velocity != 0.0f) velocity = 0.0f;
}

void StopCrawling(float& velocity) {
  if (std::fabs(velocity) < kRestingCameraSpeed) velocity = 0.0f;
}

}  // namespace

VGLevel::VGLevel(const std::string& name) : Name(name) {
  KORVEX_TRY
    const unsigned int now = timeGetTime();
    m_worldClock = {now, now};
    Create();
  KORVEX_RETHROW("VGLevel::VGLevel()", kSource)
}

VGLevel::~VGLevel() {
  m_world.reset();
  m_tools.clear();
  m_processTool.reset();
  m_isDone.reset();
  m_isFailed.reset();
  m_trainer.reset();
}

void VGLevel::Create() {
  KORVEX_TRY
    m_toolArea = {0.0f, 0.0f, 0.999f, 0.999f};
    m_world.reset(new VGWorld);
    m_cameraBody.Position.X = 0.0f;
    m_cameraBody.Position.Y = 0.0f;
    m_cameraBody.Mass = 1.0f;
    const boost::shared_ptr<VGPythonInterpreter> interpreter = VGPYFactory::GetInterpreter();
    m_processTool.reset(new VGPythonFunctor(interpreter));
    m_isDone.reset(new VGPythonFunctor(interpreter));
    m_isFailed.reset(new VGPythonFunctor(interpreter));
  KORVEX_RETHROW("VGLevel::Create()", kSource)
}

void VGLevel::DoSerialize(SCore::SSerializator& writer) {
  KORVEX_TRY
    writer.DoBeginChild("Level");
    writer.DoSerialize("Name", Name);
    writer.DoSerialize("SizeX", SizeX);
    writer.DoSerialize("SizeY", SizeY);
    writer.DoSerialize("PosX", -m_cameraBody.Position.X);
    writer.DoSerialize("PosY", -m_cameraBody.Position.Y);
    writer.DoBeginChild("Tools");
    for (const boost::shared_ptr<VGTool>& tool : m_tools) {
      writer.DoBeginChild("Tool");
      writer.DoSerialize("ToolType", ToolTypeToString(tool->GetToolType()));
      writer.DoSerialize("GameObject", GameObjectTypeToString(tool->GetGameObjectType()));
      writer.DoEndChild();
    }
    writer.DoEndChild();
    m_world->DoSerialize(writer);
    writer.DoEndChild();
  KORVEX_RETHROW("VGLevel::DoSerialize()", kSource)
}

void VGLevel::DoDeserialize(SCore::SDeserializator&, unsigned int) {}

void VGLevel::DoDeserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("Level");
    ReadHeader(reader);
    ReadTools(reader);
    m_world->DoDeserialize(reader);
    reader.DoEndChild();
  KORVEX_RETHROW("VGLevel::DoDeserialize()", kSource)
}

void VGLevel::ReadHeader(SCore::SDeserializator& reader) {
  reader.DoDeserialize("Name", Name);
  reader.DoDeserialize("ShowName", ShowName);
  reader.DoDeserialize("SizeX", SizeX);
  reader.DoDeserialize("SizeY", SizeY);
  // A level narrower or lower than its view would clamp the camera to a positive offset.
  if (!(SizeX >= 1.0f && SizeY >= 1.0f)) {
    throw KorvexEngine::SEngineException(("level [" + Name + "]: SizeX and SizeY must be at least 1").c_str());
  }
  float startX = 0.0f;
  float startY = 0.0f;
  reader.DoDeserialize("PosX", startX);
  reader.DoDeserialize("PosY", startY);
  m_cameraBody.Position.X = -startX;
  m_cameraBody.Position.Y = -startY;
  reader.DoDeserialize("PlayTime", PlayTime);
  m_remainingTime = PlayTime;
  reader.DoDeserialize("Sun", Sun);
  if (reader.DoIsAvialableName("Help")) {
    m_trainer.reset(new VGLevelTrainer);
    reader.DoDeserialize("Help", Help);
    m_trainer->Load(Platform::WidenBytes(Help));
    m_trainer->Restart();
    m_trainer->Update();
  }
}

void VGLevel::ReadTools(SCore::SDeserializator& reader) {
  reader.DoBeginChild("Tools");
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    reader.DoBeginChild(i);
    std::string toolType;
    std::string gameObject;
    reader.DoDeserialize("ToolType", toolType);
    reader.DoDeserialize("GameObject", gameObject);
    const VGGameObjectType objectType = GameObjectTypeFromString(gameObject);
    AddTool(boost::shared_ptr<VGTool>(new VGTool(ToolTypeFromString(toolType), objectType)));
    reader.DoEndChild();
  }
  reader.DoEndChild();
}

void VGLevel::AddTool(const boost::shared_ptr<VGTool>& tool) {
  KORVEX_TRY
    for (const boost::shared_ptr<VGTool>& held : m_tools) {
      if (held->GetToolType() == tool->GetToolType()) throw SCore::KorvexCoreException("Tool already exist");
    }
    m_tools.push_back(tool);
  KORVEX_RETHROW("VGLevel::AddTool()", kSource)
}

void VGLevel::AddGameObject(const boost::shared_ptr<VGPYGameObject>& object) {
  KORVEX_TRY
    m_world->AddGameObject(object);
  KORVEX_RETHROW("VGLevel::AddGameObject()", kSource)
}

void VGLevel::Update(bool paused) {
  if (m_firstUpdate) {
    m_worldClock.Current = timeGetTime() - kTickMilliseconds;
    m_firstUpdate = false;
    if (m_trainer) m_trainer->Restart();
    m_cameraClock.Current = timeGetTime() - kTickMilliseconds;
  }
  m_worldClock.Previous = m_worldClock.Current;
  m_worldClock.Current = timeGetTime();
  m_cameraClock.Previous = m_cameraClock.Current;
  m_cameraClock.Current = timeGetTime();
  const unsigned int elapsed = paused ? 0u : m_worldClock.Current - m_worldClock.Previous;
  const unsigned int cameraElapsed = m_cameraClock.Current - m_cameraClock.Previous;
  const unsigned int ticks = elapsed / kTickMilliseconds;
  const unsigned int cameraTicks = cameraElapsed / kTickMilliseconds;
  // The remainders below one tick wait for the next frame; paused time is dropped.
  m_cameraClock.Current -= cameraElapsed - kTickMilliseconds * cameraTicks;
  m_worldClock.Current += kTickMilliseconds * ticks - elapsed;
  ApplyCameraFriction();
  m_world->Update(0.0f);
  for (unsigned int i = 0; i < ticks; ++i) m_world->Update(kTick);
  for (unsigned int i = 0; i < cameraTicks; ++i) m_cameraBody.Update(kTick);
  m_world->UpdateSpritesState();
  ClampCamera();
  SnapScroll();
  m_cameraBody.Force = SCore::SVector3();
  m_remainingTime -= float(kTickMilliseconds * ticks) * 0.001f;
  if (m_remainingTime < 0.0f) m_remainingTime = 0.0f;
  if (m_trainer && !paused) m_trainer->Update();
}

void VGLevel::ApplyCameraFriction() {
  m_cameraBody.Force.X += m_moveAttenuation * Against(m_cameraBody.Velocity.X);
  m_cameraBody.Force.Y += m_moveAttenuation * Against(m_cameraBody.Velocity.Y);
}

void VGLevel::ClampCamera() {
  ClampAxis(m_cameraBody.Position.X, m_cameraBody.Velocity.X, 1.0f - SizeX);
  ClampAxis(m_cameraBody.Position.Y, m_cameraBody.Velocity.Y, 1.0f - SizeY);
  StopCrawling(m_cameraBody.Velocity.X);
  StopCrawling(m_cameraBody.Velocity.Y);
}

void VGLevel::SnapScroll() {
  m_world->m_scroll.X = std::trunc(m_cameraBody.Position.X * kViewPixelsX) / kViewPixelsX - kHalfPixelX;
  m_world->m_scroll.Y = std::trunc(m_cameraBody.Position.Y * kViewPixelsY) / kViewPixelsY - kHalfPixelY;
}

void VGLevel::Render() {
  KORVEX_TRY
    m_world->Render();
  KORVEX_RETHROW("VGLevel::Render()", kSource)
}

void VGLevel::ScrollXPlus() { m_cameraBody.Force.X += m_moveForce; }
void VGLevel::ScrollXMinus() { m_cameraBody.Force.X -= m_moveForce; }
void VGLevel::ScrollYPlus() { m_cameraBody.Force.Y += m_moveForce; }
void VGLevel::ScrollYMinus() { m_cameraBody.Force.Y -= m_moveForce; }

bool VGLevel::ProcessTool(VGToolType toolType, float x, float y, float width, float height) {
  const ToolArea& area = m_toolArea;
  if (x < area.X || x > area.X + area.Width || y < area.Y || y > area.Y + area.Height) return false;
  for (const boost::shared_ptr<VGTool>& tool : m_tools) {
    if (tool->GetToolType() != toolType) continue;
    const WorldPoint world = ToolPointToWorld(x, y);
    VGPythonFunctor& rule = *m_processTool;
    VGPythonLock lock;
    rule.SetFuncName("process_tool", 6);
    rule.SetArgumentValuePyObject(m_world->GetDictionary()->GetDictionary());
    rule.SetArgumentValueSizeT(1, tool->GetGameObjectType());
    rule.SetArgumentValueDouble(2, world.X);
    rule.SetArgumentValueDouble(3, world.Y);
    rule.SetArgumentValueDouble(4, width);
    rule.SetArgumentValueDouble(5, height);
    return rule.Exec().GetResultAsBool();
  }
  return false;
}

VGLevel::WorldPoint VGLevel::ToolPointToWorld(float x, float y) const {
  const ToolArea& area = m_toolArea;
  return {(x - area.X) / area.Width - m_world->m_scroll.X, (y - area.Y) / area.Height - m_world->m_scroll.Y};
}

bool VGLevel::AskOnce(VGPythonFunctor& rule, const char* name, bool& reported) {
  if (reported) return false;
  VGPythonLock lock;
  rule.SetFuncName(name, 1);
  rule.SetArgumentValuePyObject(m_world->GetDictionary()->GetDictionary());
  reported = rule.Exec().GetResultAsBool();
  return reported;
}

bool VGLevel::IsDone() {
  KORVEX_TRY
    return AskOnce(*m_isDone, "is_done", m_doneReported);
  KORVEX_RETHROW("VGLevel::IsDone()", kSource)
}

bool VGLevel::IsFailed() {
  KORVEX_TRY
    return AskOnce(*m_isFailed, "is_failed", m_failedReported);
  KORVEX_RETHROW("VGLevel::IsFailed()", kSource)
}

void VGLevel::GetActors(std::list<boost::shared_ptr<VGPythonObject>>& out) {
  VGPythonLock lock;
  PyObject* key = PyLong_FromLong(VGGOT_ACTOR);
  const boost::shared_ptr<VGPythonDictionary> dictionary = m_world->GetDictionary();
  const bool hasActors = dictionary->Contains(key);
  const VGPythonResult actors = hasActors ? dictionary->GetValue(key) : VGPythonResult(nullptr);
  ReleaseScriptValue(key);
  if (!hasActors) return;
  VGPythonList list(actors.GetResult());
  const boost::shared_ptr<VGPythonInterpreter> interpreter = VGPYFactory::GetInterpreter();
  PyObject* isActor = PyUnicode_FromString("is_actor");
  try {
    for (size_t i = 0; i < list.GetSize(); ++i) {
      const boost::shared_ptr<VGPythonObject> actor(
          new VGPythonObject(interpreter, "VGGameObject", list.GetValue(i).GetResult()));
      if (actor->GetPropertyValue(isActor).GetResultAsBool()) out.push_back(actor);
    }
  } catch (...) {
    ReleaseScriptValue(isActor);
    throw;
  }
  ReleaseScriptValue(isActor);
}

}  // namespace Vellgrove
