#include "VGPYFactory.h"

#include "GlobalObjectOrder.h"
#include "KorvexCoreException.h"
#include "SDeserializator.h"
#include "SXMLDeserializator.h"
#include "VGPYGameObject.h"
#include "VGPythonFunctor.h"
#include "VGPythonInterpreter.h"
#include "VGPythonLock.h"
#include "WideToNarrow.h"
#include "srethrow.h"

#include <Python.h>

#include <mutex>
#include <unordered_map>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGPYFactory";
const char* const kModuleName = "vgpy_factory";
const size_t kNameTableBuckets = 8;
const float kNameTableLoadFactor = 4.0f;

typedef std::unordered_map<std::string, std::wstring> NameTable;
typedef boost::shared_ptr<VGPythonFunctor> FunctorPtr;

NameTable EmptyNameTable() {
  NameTable table(kNameTableBuckets);
  table.max_load_factor(kNameTableLoadFactor);
  return table;
}

// Guards the globals below. Taken before the interpreter lock, never while waiting for it.
__attribute__((init_priority(VGORDER_SCRIPT_FACTORY))) std::recursive_mutex g_factoryMutex;
// In the order of construction; released in the reverse order. The factory counts as started once
// the create function is set.
__attribute__((init_priority(VGORDER_SCRIPT_FACTORY))) FunctorPtr g_createFunction;
__attribute__((init_priority(VGORDER_SCRIPT_FACTORY))) boost::shared_ptr<VGPythonInterpreter> g_interpreter;
__attribute__((init_priority(VGORDER_SCRIPT_FACTORY))) FunctorPtr g_stateNameFunction;
__attribute__((init_priority(VGORDER_SCRIPT_FACTORY))) NameTable g_nameTable = EmptyNameTable();
__attribute__((init_priority(VGORDER_SCRIPT_FACTORY))) FunctorPtr g_spriteInfoFunction;

// Holds the factory's lock. A thread that holds the interpreter lock (a game object asking for a
// state name within its tick, say) gives it up while it waits, or the holder of the factory's lock
// could never take the interpreter lock to finish.
class FactoryLock {
 public:
  FactoryLock() {
    if (g_factoryMutex.try_lock()) return;
    if (Py_IsInitialized() && PyGILState_Check() == 1) {
      PyThreadState* state = PyEval_SaveThread();
      g_factoryMutex.lock();
      PyEval_RestoreThread(state);
    } else {
      g_factoryMutex.lock();
    }
  }
  ~FactoryLock() { g_factoryMutex.unlock(); }
  FactoryLock(const FactoryLock&) = delete;
  FactoryLock& operator=(const FactoryLock&) = delete;
};

FunctorPtr MakeFunctor(const char* name, size_t argumentCount) {
  FunctorPtr functor(new VGPythonFunctor(g_interpreter));
  functor->SetFuncName(name, argumentCount);
  return functor;
}

std::string ReadGameObjectAttribute(SCore::SDeserializator& reader, const char* attribute) {
  std::string value;
  reader.DoBeginChild("GameObject");
  reader.DoDeserialize(attribute, value);
  reader.DoEndChild();
  return value;
}

}  // namespace

void VGPYFactory::Init() {
  KORVEX_TRY
    FactoryLock hold;
    if (g_createFunction) return;
    // A retried start keeps the interpreter of the failed one: only the program's exit finalises.
    if (!g_interpreter) g_interpreter.reset(new VGPythonInterpreter);
    if (!g_interpreter->IsModuleLoaded()) g_interpreter->LoadModule(kModuleName);
    const FunctorPtr stateName = MakeFunctor("getGameObjectStateStr", 1);
    const FunctorPtr create = MakeFunctor("create", 1);
    const FunctorPtr spriteInfo = MakeFunctor("create_sprite_info", 15);
    VGPYGameObject::InitAttributeNames();
    g_stateNameFunction = stateName;
    g_spriteInfoFunction = spriteInfo;
    g_createFunction = create;
  KORVEX_RETHROW("VGPYFactory::Init()", kSource)
}

boost::shared_ptr<VGPythonInterpreter> VGPYFactory::GetInterpreter() {
  KORVEX_TRY
    Init();
    FactoryLock hold;
    return g_interpreter;
  KORVEX_RETHROW("VGPYFactory::GetInterpreter()", kSource)
}

void VGPYFactory::InitNameTable() {
  FactoryLock hold;
  g_nameTable = EmptyNameTable();
}

void VGPYFactory::DestroyNameTable() {
  FactoryLock hold;
  NameTable().swap(g_nameTable);
}

void VGPYFactory::AddGameObjectInfo(const std::wstring& path) {
  KORVEX_TRY
    SCore::SXMLDeserializator reader(path);
    const std::string name = ReadGameObjectAttribute(reader, "Name");
    FactoryLock hold;
    if (!g_nameTable.emplace(name, path).second) {
      throw SCore::KorvexCoreException(("Game object:" + name + " already exist in factory").c_str());
    }
  KORVEX_RETHROW("VGPYFactory::AddGameObjectInfo()", kSource)
}

std::wstring VGPYFactory::FindGameObjectFile(const std::string& name) {
  KORVEX_TRY
    FactoryLock hold;
    const NameTable::const_iterator found = g_nameTable.find(name);
    if (found == g_nameTable.end()) {
      throw SCore::KorvexCoreException(("Game Object:" + name + " not found in game object factory").c_str());
    }
    return found->second;
  KORVEX_RETHROW("VGPYFactory::FindGameObjectFile()", kSource)
}

boost::shared_ptr<VGPythonObject> VGPYFactory::CreateScriptOfGameObject(SCore::SDeserializator& reader) {
  KORVEX_TRY
    return CreateByTypeName(ReadGameObjectAttribute(reader, "GameObjectType"));
  KORVEX_RETHROW("VGPYFactory::CreateScriptOfGameObject()", kSource)
}

boost::shared_ptr<VGPYGameObject> VGPYFactory::Create(const std::string& name) {
  KORVEX_TRY
    return LoadGameObject(FindGameObjectFile(name));
  KORVEX_RETHROW("VGPYFactory::Create()", kSource)
}

boost::shared_ptr<VGPYGameObject> VGPYFactory::LoadGameObject(const std::wstring& path) {
  KORVEX_TRY
    try {
      SCore::SXMLDeserializator reader(path);
      const boost::shared_ptr<VGPYGameObject> object(new VGPYGameObject);
      object->SetPythonObject(CreateScriptOfGameObject(reader));
      object->DoDeserialize(reader);
      return object;
    } catch (const SCore::KorvexCoreException& failure) {
      throw SCore::KorvexCoreException((std::string(failure.what()) + " in " + WideToNarrow(path)).c_str());
    }
  KORVEX_RETHROW("VGPYFactory::LoadGameObject()", kSource)
}

boost::shared_ptr<VGPythonObject> VGPYFactory::CreateByTypeName(const std::string& typeName) {
  KORVEX_TRY
    Init();
    FactoryLock hold;
    VGPythonLock lock;
    g_createFunction->SetArgumentValueString(typeName);
    const VGPythonResult instance = g_createFunction->Exec();
    return boost::shared_ptr<VGPythonObject>(new VGPythonObject(g_interpreter, typeName, instance.GetResult()));
  KORVEX_RETHROW("VGPYFactory::CreateByTypeName()", kSource)
}

boost::shared_ptr<VGPythonObject> VGPYFactory::CreateDispatcher() {
  KORVEX_TRY
    // Looked up anew each time: a module without it fails only when a world is made.
    const boost::shared_ptr<VGPythonInterpreter> interpreter = GetInterpreter();
    VGPythonLock lock;
    VGPythonFunctor createDispatcher(interpreter);
    createDispatcher.SetFuncName("create_dispatcher", 0);
    const VGPythonResult instance = createDispatcher.Exec();
    return boost::shared_ptr<VGPythonObject>(new VGPythonObject(interpreter, "Dispatch", instance.GetResult()));
  KORVEX_RETHROW("VGPYFactory::CreateDispatcher()", kSource)
}

std::string VGPYFactory::GetGameObjectStateStr(size_t state) {
  KORVEX_TRY
    Init();
    FactoryLock hold;
    VGPythonLock lock;
    g_stateNameFunction->SetArgumentValueSizeT(0, state);
    return g_stateNameFunction->Exec().GetResultAsString();
  KORVEX_RETHROW("VGPYFactory::GetGameObjectStateStr()", kSource)
}

VGPythonResult VGPYFactory::CreateSpriteInfo(const std::string& name, float x, float y, float width, float height,
                                             float textureLeft, float textureTop, float textureRight,
                                             float textureBottom, bool visible, bool flipHorizontal,
                                             bool flipVertical, bool animationInverse, float scaleX, float scaleY) {
  KORVEX_TRY
    Init();
    FactoryLock hold;
    VGPythonLock lock;
    VGPythonFunctor& spriteInfo = *g_spriteInfoFunction;
    spriteInfo.SetArgumentValueString(name);
    const float numbers[] = {x, y, width, height, textureLeft, textureTop, textureRight, textureBottom};
    int position = 1;
    for (float number : numbers) spriteInfo.SetArgumentValueDouble(position++, number);
    for (bool flag : {visible, flipHorizontal, flipVertical, animationInverse})
      spriteInfo.SetArgumentValueBoolean(position++, flag);
    spriteInfo.SetArgumentValueDouble(position++, scaleX);
    spriteInfo.SetArgumentValueDouble(position, scaleY);
    return spriteInfo.Exec();
  KORVEX_RETHROW("VGPYFactory::CreateSpriteInfo()", kSource)
}

void VGPYFactory::ReleaseGlobals() {
  FactoryLock hold;
  VGPYGameObject::ReleaseAttributeNames();
  g_spriteInfoFunction.reset();
  DestroyNameTable();
  g_stateNameFunction.reset();
  g_interpreter.reset();
  g_createFunction.reset();
}

}  // namespace Vellgrove
