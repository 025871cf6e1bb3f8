#include "CreateSceneNode.h"
#include "DocumentRoundTrip.h"
#include "DrawableTestSupport.h"
#include "SCameraFactory.h"
#include "SEngineException.h"
#include "SSceneGraph.h"
#include "SSceneNodeAction.h"
#include "SSceneNodeCamera.h"
#include "SSceneNodeMesh.h"
#include "STPSCamera.h"
#include "SceneGraphTestSupport.h"
#include "TriMeshTestSupport.h"

#include "Platform/D3DX9.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace KorvexEngine;

std::vector<std::uint32_t> ChildIDs(const SSceneNodeBase& node) {
  std::vector<std::uint32_t> ids;
  for (const auto& child : node.Children) ids.push_back(child->ID);
  return ids;
}

using SceneGraphTest::NodeElement;

class SceneGraphXML : public ::testing::Test {
 protected:
  void WriteGraph(unsigned int root, const std::vector<NodeElement>& nodes) {
    document.Write([&](SCore::SSerializator& writer) { SceneGraphTest::WriteGraph(writer, root, nodes); });
  }

  void WriteGraph(SSceneGraph& graph) {
    document.Write([&](SCore::SSerializator& writer) { graph.DoSerialize(writer); });
  }

  XMLTestSupport::DocumentRoundTrip document;
};

// Root 1 over a mesh node 2 and a camera node 3; the mesh node also holds the camera node.
SSceneGraph BuiltGraph(const boost::shared_ptr<SMesh>& mesh) {
  SSceneGraph graph;
  const auto root = CreateSceneNode(0, "root");
  const auto meshNode = boost::dynamic_pointer_cast<SSceneNodeMesh>(CreateSceneNode(1, "box"));
  const auto cameraNode = boost::dynamic_pointer_cast<SSceneNodeCamera>(CreateSceneNode(2, "eye"));
  root->ID = 1;
  root->Transformation.Position = SCore::SVector3{0.5f, 1.5f, 2.5f};
  meshNode->ID = 2;
  meshNode->m_Mesh = mesh;
  cameraNode->ID = 3;
  cameraNode->m_Camera = SCameraFactory::Create(1);
  cameraNode->m_Camera->Eye = SCore::SVector3{4.0f, 5.0f, 6.0f};
  cameraNode->m_Camera->At = SCore::SVector3{-1.0f, 0.0f, 1.0f};
  cameraNode->m_Camera->Up = SCore::SVector3{0.0f, 0.0f, 1.0f};
  root->Children = {meshNode, cameraNode};
  meshNode->Children = {cameraNode};
  graph.Nodes = {{1, root}, {2, meshNode}, {3, cameraNode}};
  graph.RootNode = root;
  return graph;
}

void ExpectBuiltGraph(SSceneGraph& read) {
  ASSERT_TRUE(read.RootNode);
  EXPECT_EQ(read.RootNode, read.Nodes.at(1));
  EXPECT_EQ(read.RootNode->Name, "root");
  EXPECT_EQ(read.RootNode->Type, 0u);
  EXPECT_EQ(read.RootNode->Transformation.Position.Y, 1.5f);
  EXPECT_EQ(ChildIDs(*read.RootNode), (std::vector<std::uint32_t>{2, 3}));
  const auto meshNode = boost::dynamic_pointer_cast<SSceneNodeMesh>(read.Nodes.at(2));
  ASSERT_TRUE(meshNode);
  EXPECT_EQ(meshNode->MeshName, "Box");
  EXPECT_FALSE(meshNode->m_Mesh);
  EXPECT_EQ(meshNode->Children.at(0), read.Nodes.at(3)) << "a node under two parents is one node";
  const auto cameraNode = boost::dynamic_pointer_cast<SSceneNodeCamera>(read.Nodes.at(3));
  ASSERT_TRUE(cameraNode);
  ASSERT_TRUE(boost::dynamic_pointer_cast<STPSCamera>(cameraNode->m_Camera));
  EXPECT_EQ(cameraNode->m_Camera->Eye.Z, 6.0f);
  EXPECT_EQ(cameraNode->m_Camera->At.X, -1.0f);
  EXPECT_EQ(cameraNode->m_Camera->Up.Z, 1.0f);
  EXPECT_TRUE(cameraNode->Children.empty());
}

TEST_F(SceneGraphXML, ReadBackNodesOfEveryKindWithTheirLinksAndAnUnboundMeshWritesItsStoredName) {
  const auto mesh = boost::make_shared<STriMesh>("Box");
  SSceneGraph built = BuiltGraph(mesh);
  WriteGraph(built);
  SSceneGraph first;
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    SSceneGraph read;
    read.DoDeserialize(reader);
    ExpectBuiltGraph(read);
    first = read;
  });
  // Read from a file, the mesh node is not bound: writing it again keeps the drawable's name.
  WriteGraph(first);
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    SSceneGraph read;
    read.DoDeserialize(reader);
    ExpectBuiltGraph(read);
  });
}

TEST_F(SceneGraphXML, AGraphWithoutARootWritesAnEmptyElement) {
  SSceneGraph graph = BuiltGraph(boost::make_shared<STriMesh>("Box"));
  graph.RootNode.reset();
  WriteGraph(graph);
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    reader.DoBeginChild("SceneGraph");
    EXPECT_EQ(reader.DoGetChildCount(), 0u);
    EXPECT_FALSE(reader.DoIsAvialableName("RootNode"));
  });
}

TEST_F(SceneGraphXML, LinkChildrenInOrderAddToTheNodesHeldAndALaterNodeOfTheSameIDTakesBothChildLists) {
  WriteGraph(1, {{1, 0, {3, 2}}, {2, 0, {}}, {3, 0, {}}, {2, 1, {3}}});
  document.ReadWithBoth([&](SCore::SDeserializator& reader) {
    SSceneGraph graph;
    graph.Nodes[5] = CreateSceneNode(0, "kept");
    graph.DoDeserialize(reader);
    EXPECT_EQ(graph.Nodes.size(), 4u) << "reading adds to the nodes held";
    EXPECT_EQ(graph.Nodes.at(5)->Name, "kept");
    EXPECT_EQ(ChildIDs(*graph.RootNode), (std::vector<std::uint32_t>{3, 2}));
    EXPECT_EQ(graph.Nodes.at(2)->Type, 1u);
    EXPECT_EQ(graph.RootNode->Children.at(1), graph.Nodes.at(2));
    EXPECT_EQ(ChildIDs(*graph.Nodes.at(2)), (std::vector<std::uint32_t>{3}));
  });
}

TEST_F(SceneGraphXML, RefuseUnknownIDsAndKindsWithoutLinkingAnyNode) {
  struct Case {
    const char* what;
    unsigned int root;
    std::vector<NodeElement> nodes;
    std::string failure;
  };
  const std::vector<Case> cases = {
      {"unknown child", 1, {{1, 0, {2, 9}}, {2, 0, {}}}, "Unknown scene node ID 9"},
      {"unknown root", 7, {{1, 0, {2}}, {2, 0, {}}}, "Unknown scene node ID 7"},
      {"unknown node kind", 1, {{1, 0, {2}}, {2, 3, {}}}, "Unknown SSceneNodeType"},
      {"unknown camera kind", 1, {{1, 0, {2}}, {2, 2, {}, 5}},
       "Unknown SCameraType SSceneNodeCamera::DoDeserialize() .\\Src\\sscenenodecamera at:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteGraph(c.root, c.nodes);
    document.ReadWithBoth([&](SCore::SDeserializator& reader) {
      SSceneGraph graph;
      EXPECT_EQ(RenderTest::FailureOf([&] { graph.DoDeserialize(reader); }), c.failure);
      EXPECT_FALSE(graph.RootNode);
      for (const auto& entry : graph.Nodes) EXPECT_TRUE(entry.second->Children.empty());
    });
  }
}

TEST(SceneNodes, AreMadeByKindAndFoundOnlyByName) {
  for (SSceneNodeType type : {0u, 1u, 2u}) {
    const auto node = CreateSceneNode(type, "n");
    EXPECT_EQ(node->Type, type);
    EXPECT_EQ(node->Name, "n");
  }
  EXPECT_TRUE(boost::dynamic_pointer_cast<SSceneNodeMesh>(CreateSceneNode(1, "")));
  EXPECT_TRUE(boost::dynamic_pointer_cast<SSceneNodeCamera>(CreateSceneNode(2, "")));
  EXPECT_EQ(RenderTest::FailureOf([] { CreateSceneNode(3, "n"); }), "Unknown SSceneNodeType");

  XMLTestSupport::DocumentRoundTrip document;
  document.Write([](SCore::SSerializator& writer) { writer.DoBeginChild("Node"); writer.DoEndChild(); });
  document.ReadWithBoth([](SCore::SDeserializator& reader) {
    EXPECT_EQ(RenderTest::FailureOf([&] { SSceneGraph().DoDeserialize(reader, 0u); }),
              "you do not must call this method");
    EXPECT_EQ(RenderTest::FailureOf([&] { CreateSceneNode(0, "")->DoDeserialize(reader, 0u); }),
              "you do not must call this method SSceneNodeBase::DoDeserialize() .\\Src\\SSceneNodeBase at:");
    for (SSceneNodeType ignoring : {1u, 2u})
      EXPECT_EQ(RenderTest::FailureOf([&] { CreateSceneNode(ignoring, "")->DoDeserialize(reader, 0u); }), "no failure");
  });
}

class CountingAction : public SSceneNodeAction {
 public:
  void OnMeshNode(SSceneNodeMesh&) override { calls += "mesh "; }
  void OnCameraNode(SSceneNodeCamera&) override { calls += "camera "; }
  void OnNode(SSceneNodeBase&) override { calls += "node "; }
  std::string calls;
};

TEST(SceneNodes, ActOnThemselvesOnlyByTheirKind) {
  const char* const expected[3] = {"node ", "camera ", "mesh "};
  const SSceneNodeType kinds[3] = {0, 2, 1};
  for (int i = 0; i < 3; ++i) {
    const auto node = CreateSceneNode(kinds[i], "");
    node->Children = {CreateSceneNode(0, ""), CreateSceneNode(1, "")};
    CountingAction action;
    node->DoAction(action);
    EXPECT_EQ(action.calls, expected[i]);
  }
}

class SceneNodeRendering : public RenderTest::DrawableFixture {};

TEST_F(SceneNodeRendering, ACameraNodeSetsTheViewAndAMeshNodeDrawsUnderTheGivenTransformation) {
  TriMeshTest::MeshDocument square;
  square.vertices = TriMeshTest::kSquareAcrossX;
  square.indices = TriMeshTest::kSquareIndices;
  const auto mesh = boost::make_shared<STriMesh>("Noname mesh");
  TriMeshTest::LoadMesh(*mesh, viewport, square);
  Prepare(*mesh, White());
  mesh->Material.CullMode = D3DCULL_NONE;
  TriMeshTest::SetPerspective(*device, float(kWidth) / kHeight);

  SSceneNodeCamera cameraNode("eye");
  SSceneNodeMesh meshNode("box");
  STransformation placement;
  EXPECT_EQ(RenderTest::FailureOf([&] { cameraNode.DoRender(placement); }),
            "the camera node has no camera SSceneNodeCamera::DoRender() .\\Src\\sscenenodecamera at:");
  EXPECT_EQ(RenderTest::FailureOf([&] { meshNode.DoRender(placement); }),
            "the mesh node has no mesh SSceneNodeMesh::DoRender() .\\Src\\sscenenodemesh at:");
  cameraNode.m_Camera = SCameraFactory::Create(0);
  cameraNode.m_Camera->Eye = SCore::SVector3{5.0f, 0.0f, 0.0f};
  cameraNode.m_Camera->Create(viewport);
  meshNode.m_Mesh = mesh;

  const auto frame = [&](float height) {
    placement.Position.Y = height;
    placement.Dirty = 1;
    device->DoClearScene(0, 0, 0);
    device->DoClearScene(1.0f);
    device->DoBeginScene();
    cameraNode.DoRender(placement);
    meshNode.DoRender(placement);
    std::vector<DWORD> pixels = BackBufferPixels();
    device->EndScene();
    return pixels;
  };
  std::vector<DWORD> pixels = frame(0.0f);
  EXPECT_EQ(At(pixels, kWidth / 2, kHeight / 2), 0xFFFFFFFFu);
  EXPECT_EQ(At(pixels, 0, 0), kBlack);
  SCore::SMatrix world;
  EXPECT_EQ(device->DoGetTransform(&world, D3DTS_WORLD)->f42, 0.0f);

  pixels = frame(3.0f);
  EXPECT_EQ(device->DoGetTransform(&world, D3DTS_WORLD)->f42, 3.0f);
  EXPECT_EQ(At(pixels, kWidth / 2, kHeight / 2), kBlack);
  EXPECT_LT(Covered(pixels).bottom, kHeight / 2);
}

}  // namespace
