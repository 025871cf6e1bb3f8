#pragma once

#include "SMaterial.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SSerializator;
class SDeserializator;
class STextureManager;

// The element "Material" with its child "Textures", as a child of the current element. The two
// stage-0 operations are not part of it.
void SerializeMaterial(const SMaterial& material, SSerializator& serializator);
// Reads into an existing material: values whose attribute or child is absent keep what they had.
// Textures are looked up by name in the texture manager.
void DeserializeMaterial(SDeserializator& deserializator, SMaterial& material,
                         const boost::shared_ptr<STextureManager>& textureManager);

}  // namespace SCore
