// A program that starts and ends the interpreter as the game's program does: PYTHONPATH offered
// only when unset, the interpreter started on the main thread, the factory used from another
// thread, the factory's globals released in the exit step before the interpreter is finished. A
// script object still held then puts the interpreter's end off until it goes. Given "lazy", nothing
// starts the interpreter before the factory's first use on the main thread does.
#include "PythonStartUp.h"
#include "VGPYFactory.h"
#include "VGPythonLock.h"
#include "VGPythonObject.h"

#include <clocale>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

using namespace Vellgrove;

namespace {

// A script text kept for the whole run, as the game object keeps its attribute names.
PyObject* g_cachedName = nullptr;

void ReleaseCachedName() {
  std::cout << "cached name released: " << (PyGILState_Check() == 1) << std::endl;
  Py_DECREF(g_cachedName);
  g_cachedName = nullptr;
}

int StartedByTheFactory() {
  VGPYFactory::Init();
  {
    VGPythonLock lock;
    PyRun_SimpleString(
        "import os, sys\n"
        "print('working directory on the path:', os.getcwd() in sys.path)\n"
        "print('scripts first:', sys.path[0] == os.path.join(os.getcwd(), 'scripts'))\n"
        "print('path variable is the scripts folder:', os.environ['PYTHONPATH'] == os.getcwd() + '/scripts/',\n"
        "      flush=True)\n");
  }
  std::cout << "answer: " << VGPYFactory::GetGameObjectStateStr(2) << std::endl;
  VGPYFactory::ReleaseGlobals();
  FinishPython();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc > 1 && std::string(argv[1]) == "lazy") return StartedByTheFactory();
    PreparePythonPath(std::filesystem::current_path().wstring());
    StartPython();
    std::cout << "character locale: " << std::setlocale(LC_CTYPE, nullptr) << std::endl;
    {
      VGPythonLock lock;
      g_cachedName = PyUnicode_FromString("sound_fx");
    }
    BeforePythonFinishes(&ReleaseCachedName);
    std::string answer;
    std::string failure;
    boost::shared_ptr<VGPythonObject> kept;
    std::thread worker([&] {
      try {
        kept = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
        answer = VGPYFactory::GetGameObjectStateStr(1) + " " + kept->GetClassName();
      } catch (const std::exception& error) {
        failure = error.what();
      }
    });
    worker.join();
    if (!failure.empty()) throw std::runtime_error(failure);
    std::cout << "answer: " << answer << std::endl;
    VGPYFactory::ReleaseGlobals();
    FinishPython();
    std::cout << "finish requested" << std::endl;
    kept.reset();
    FinishPython();
    std::cout << "running: " << IsPythonRunning() << std::endl;
    return 0;
  } catch (const std::exception& error) {
    std::cout << "failure: " << error.what() << std::endl;
    return 1;
  }
}
