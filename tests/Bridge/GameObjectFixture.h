// Game objects of the fixture module's recording type, read from files written for the test,
// drawn through the game's screen fixture, and a way to look into their scripts.
#pragma once

#include "GameScreenFixture.h"
#include "ScriptTestSupport.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPythonLock.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace BridgeTest {

using namespace Vellgrove;
using TestSupport::ScriptName;

inline std::string SpriteXml(const std::string& name, const std::string& animation = "", const std::string& texture = "WHITE") {
  return "<Sprite ColorLU=\"4294967295\" ColorRU=\"4294967295\" ColorLD=\"4294967295\" ColorRD=\"4294967295\" "
         "Angle=\"0\" CoordAligment=\"1\" WithTransform=\"1\" FlipHorizontal=\"0\" FlipVertical=\"0\" "
         "XScaleFactor=\"1\" YScaleFactor=\"1\"><Position X=\"0.1\" Y=\"0.2\" Width=\"0.3\" Height=\"0.4\">"
         "</Position><TexCoords X=\"0\" Y=\"0\" Width=\"1\" Height=\"1\"></TexCoords><Mesh Name=\"" +
         name +
         "\"><Material CullMode=\"1\" FillMode=\"3\" AlphaBlend=\"1\" SrcBlend=\"5\" DstBlend=\"6\" ZWrite=\"0\" "
         "Lighting=\"0\" IsFogEnable=\"0\"><Textures Texture1=\"" + texture + "\">" +
         animation + "</Textures></Material></Mesh></Sprite>";
}

inline const std::string kAnimation =
    "<Animation Name=\"a\" Type=\"FRAME\" TextureName=\"WHITE\" FrameHorizontal=\"4\" FrameVertical=\"1\" "
    "AnimationSpeed=\"8\" Inverse=\"1\"></Animation>";

inline std::string ObjectXml(const std::string& states, const std::string& attributes, const std::string& isEnable = "1",
                             const std::string& name = "Thing") {
  return "<GameObject Name=\"" + name + "\" IsEnable=\"" + isEnable +
         "\" GravityAction=\"1\" GameObjectType=\"VGGOT_RECORDER\" RenderOrder=\"7\">"
         "<Tile ID=\"0\" GeomType=\"0\"><HalfSize X=\"0.05\" Y=\"0.1\" Z=\"0\"></HalfSize>"
         "<Body ID=\"0\" Mass=\"2\"><Position X=\"0.25\" Y=\"0.5\" Z=\"0\"></Position>"
         "<Velocity X=\"0.125\" Y=\"0\" Z=\"0\"></Velocity></Body></Tile>"
         "<States>" +
         states + "</States><Attributes>" + attributes + "</Attributes></GameObject>";
}

inline const std::string kTwoStates = "<State Name=\"idle\">" + SpriteXml("one") + "<Note></Note>" + SpriteXml("two") +
                               "</State><State Name=\"walk\">" + SpriteXml("step", kAnimation) +
                               "</State><State Name=\"idle\">" + SpriteXml("three") + "</State>";

class GameObjectFixture : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    VGPYFactory::Init();
    GameScreenFixture::SetUp();
    viewport->GetTextureManager()->AddTexture(Texture("WHITE", 4, 1, 0xFFFFFFFF));
  }

  boost::shared_ptr<VGPYGameObject> Load(const std::string& xml, const std::string& file = "thing.xml") {
    const std::string path = folder / file;
    std::ofstream(path) << xml;
    return VGPYFactory::LoadGameObject(std::wstring(path.begin(), path.end()));
  }

  // What the script's method answers, as Python's repr.
  static std::string Ask(VGPYGameObject& object, const char* method) {
    VGPythonObject& script = *object.GetPythonObject();
    script.SetMethodName(method, 0);
    const VGPythonResult answer = script.Call();
    VGPythonLock lock;
    PyObject* text = PyObject_Repr(answer.GetResult());
    const std::string result = PyUnicode_AsUTF8(text);
    Py_DECREF(text);
    return result;
  }

  static double Attribute(VGPYGameObject& object, const char* name) {
    const ScriptName attribute(name);
    return object.GetPythonObject()->GetPropertyValue(attribute).GetResultAsDouble();
  }

  static void SetAttribute(VGPYGameObject& object, const char* name, double value) {
    const ScriptName attribute(name);
    object.GetPythonObject()->SetPropertyValueDouble(attribute, value);
  }

  static void Run(VGPYGameObject& object, const std::string& statement) {
    Run(object.GetPythonObject()->GetInstance(), statement);
  }

  // Runs the statement with the script value as "o".
  static void Run(PyObject* value, const std::string& statement) {
    VGPythonLock lock;
    PyObject* globals = PyDict_New();
    PyDict_SetItemString(globals, "o", value);
    PyObject* done = PyRun_String(statement.c_str(), Py_file_input, globals, globals);
    if (done == nullptr) {
      PyErr_Print();
      ADD_FAILURE() << "the script statement failed: " << statement;
    }
    Py_XDECREF(done);
    Py_DECREF(globals);
  }

  static void ClearLog(VGPYGameObject& object) { Run(object, "o.log.clear()"); }
};

}  // namespace BridgeTest
