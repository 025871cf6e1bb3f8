#include "VGBody.h"

#include "SDeserializator.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGBody";

void Integrate(float& position, float& velocity, float force, float mass, float dt) {
  velocity += force * dt / mass;
  position += dt * velocity;
}

}  // namespace

void VGBody::Update(float dt) {
  if (Mass > 0.0f) {
    Integrate(Position.X, Velocity.X, Force.X, Mass, dt);
    Integrate(Position.Y, Velocity.Y, Force.Y, Mass, dt);
    Integrate(Position.Z, Velocity.Z, Force.Z, Mass, dt);
  }
  Force = SCore::SVector3();
}

void VGBody::Deserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("Body");
    reader.DoDeserialize("ID", ID);
    reader.DoDeserialize("Mass", Mass);
    reader.DoDeserialize("Position", Position);
    reader.DoDeserialize("Velocity", Velocity);
    reader.DoEndChild();
  KORVEX_RETHROW("VGBody::Deserialize()", kSource)
}

}  // namespace Vellgrove
