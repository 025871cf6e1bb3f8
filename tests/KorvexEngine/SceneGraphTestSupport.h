// The "SceneGraph" element as a file holds it, written by hand so that tests can also spoil it.
#pragma once

#include "SSerializator.h"
#include "STransformation.h"

#include <string>
#include <vector>

namespace SceneGraphTest {

// A "Node" element as a file holds it.
struct NodeElement {
  unsigned int id;
  unsigned int type;
  std::vector<unsigned int> children;
  unsigned int cameraType = 0;
  SCore::SVector3 eye{1.0f, 2.0f, 3.0f};
  SCore::SVector3 at{1.0f, 2.0f, 3.0f};
  SCore::SVector3 up{1.0f, 2.0f, 3.0f};

  void Write(SCore::SSerializator& writer) const {
    writer.DoBeginChild("Node");
    writer.DoSerialize("ID", id);
    writer.DoSerialize("Name", "node" + std::to_string(id));
    writer.DoSerialize("Type", type);
    KorvexEngine::STransformation().DoSerialize(writer);
    writer.DoBeginChild("Childs");
    for (unsigned int child : children) {
      writer.DoBeginChild("Child");
      writer.DoSerialize("ID", child);
      writer.DoEndChild();
    }
    writer.DoEndChild();
    if (type == 1) writer.DoSerialize("MeshName", "Box");
    if (type == 2) {
      writer.DoBeginChild("Camera");
      writer.DoSerialize("Type", cameraType);
      writer.DoSerialize("EYE", eye);
      writer.DoSerialize("AT", at);
      writer.DoSerialize("UP", up);
      writer.DoEndChild();
    }
    writer.DoEndChild();
  }
};

inline void WriteGraph(SCore::SSerializator& writer, unsigned int root, const std::vector<NodeElement>& nodes) {
  writer.DoBeginChild("SceneGraph");
  writer.DoSerialize("RootNode", root);
  writer.DoBeginChild("Nodes");
  for (const NodeElement& node : nodes) node.Write(writer);
  writer.DoEndChild();
  writer.DoEndChild();
}

}  // namespace SceneGraphTest
