#include "VGTile.h"

#include "SDeserializator.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGTile";

}  // namespace

void VGTile::Update(float dt) {
  KORVEX_TRY
    Body->Update(dt);
    Geometry->Set(Body->Position, HalfSize);
  KORVEX_RETHROW("VGTile::Update()", kSource)
}

void VGTile::Deserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("Tile");
    reader.DoDeserialize("ID", ID);
    reader.DoDeserialize("HalfSize", HalfSize);
    unsigned int geometryType = 0;
    reader.DoDeserialize("GeomType", geometryType);
    Geometry = CreateGeometry(geometryType);
    Body.reset(new VGBody);
    Body->Deserialize(reader);
    reader.DoEndChild();
  KORVEX_RETHROW("VGTile::Deserialize()", kSource)
}

}  // namespace Vellgrove
