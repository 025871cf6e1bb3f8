// What one game object's tick costs through the script bridge: the exchange of a tick (ask
// "can_update", push position and velocity, "do_update", read the seven cached values and the
// force, "reset_force_acc", push again: three calls, eight writes, nine reads) through the
// wrappers, against the same exchange written in Python and called once. The wrappers are timed
// with the interpreter lock taken by every call and with one lock held over the whole tick.
// Runs from the game's data folder against the game's own module; ends with a closing note.
#include "PythonStartUp.h"
#include "VGPYFactory.h"
#include "VGPythonDictionary.h"
#include "VGPythonInterpreter.h"
#include "VGPythonLock.h"
#include "VGPythonObject.h"

#include <Python.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

using namespace Vellgrove;

namespace {

const int kCallsPerTick = 20;  // 3 calls, 8 writes, 9 reads
const double kDt = 0.01;

// The script texts the game object keeps for the whole run.
struct Names {
  PyObject* x = PyUnicode_InternFromString("x");
  PyObject* y = PyUnicode_InternFromString("y");
  PyObject* velX = PyUnicode_InternFromString("vel_x");
  PyObject* velY = PyUnicode_InternFromString("vel_y");
  PyObject* mass = PyUnicode_InternFromString("mass");
  PyObject* w = PyUnicode_InternFromString("w");
  PyObject* h = PyUnicode_InternFromString("h");
  PyObject* frcX = PyUnicode_InternFromString("frc_x");
  PyObject* frcY = PyUnicode_InternFromString("frc_y");
};

const char* const kTickInPython =
    "def tick(o, world, now, px, py, vx, vy):\n"
    "    if not o.can_update():\n"
    "        return 0.0\n"
    "    o.x, o.y, o.vel_x, o.vel_y = px, py, vx, vy\n"
    "    o.do_update(0.01, now, world)\n"
    "    cache = (o.x, o.y, o.vel_x, o.vel_y, o.mass, o.w, o.h)\n"
    "    force = (o.frc_x, o.frc_y)\n"
    "    o.reset_force_acc()\n"
    "    o.x, o.y, o.vel_x, o.vel_y = cache[0], cache[1], cache[2], cache[3]\n"
    "    return cache[0] + force[0]\n";

struct Bench {
  std::unique_ptr<Names> names;
  boost::shared_ptr<VGPythonObject> actor;
  std::unique_ptr<VGPythonDictionary> world;
  PyObject* tickInPython = nullptr;
  double x = 0.1, y = 0.2, velX = 0.0, velY = 0.0;
  long now = 0;
};
Bench* g_bench = nullptr;

double Read(PyObject* name) { return g_bench->actor->GetPropertyValue(name).GetResultAsDouble(); }

void Push() {
  VGPythonObject& actor = *g_bench->actor;
  const Names& n = *g_bench->names;
  actor.SetPropertyValueDouble(n.x, g_bench->x);
  actor.SetPropertyValueDouble(n.y, g_bench->y);
  actor.SetPropertyValueDouble(n.velX, g_bench->velX);
  actor.SetPropertyValueDouble(n.velY, g_bench->velY);
}

// The tick as the game object makes it, native step left out.
double TickThroughWrappers() {
  VGPythonObject& actor = *g_bench->actor;
  const Names& n = *g_bench->names;
  actor.SetMethodName("can_update", 0);
  if (!actor.Call().GetResultAsBool()) return 0.0;
  Push();
  actor.SetMethodName("do_update", 3);
  actor.SetArgumentValueDouble(0, kDt);
  actor.SetArgumentValueInteger(g_bench->now += 10);
  actor.SetArgumentValuePyObject(2, g_bench->world->GetDictionary());
  actor.Call();
  g_bench->x = Read(n.x);
  g_bench->y = Read(n.y);
  g_bench->velX = Read(n.velX);
  g_bench->velY = Read(n.velY);
  const double mass = Read(n.mass) + Read(n.w) + Read(n.h);
  const double force = Read(n.frcX) + Read(n.frcY);
  actor.SetMethodName("reset_force_acc", 0);
  actor.Call();
  Push();
  return mass + force;
}

double TickInPython() {
  VGPythonLock lock;
  PyObject* result = PyObject_CallFunction(g_bench->tickInPython, "OOldddd", g_bench->actor->GetInstance(),
                                           g_bench->world->GetDictionary(), g_bench->now += 10, g_bench->x,
                                           g_bench->y, g_bench->velX, g_bench->velY);
  const double answer = result == nullptr ? -1.0 : PyFloat_AsDouble(result);
  Py_XDECREF(result);
  return answer;
}

double TickGuardPerTick() {
  VGPythonLock lock;
  return TickThroughWrappers();
}

void GuardPerCall(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TickThroughWrappers());
  state.SetItemsProcessed(state.iterations() * kCallsPerTick);
}
BENCHMARK(GuardPerCall);

void GuardPerTick(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TickGuardPerTick());
  state.SetItemsProcessed(state.iterations() * kCallsPerTick);
}
BENCHMARK(GuardPerTick);

void SameTickInPython(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TickInPython());
}
BENCHMARK(SameTickInPython);

// Microseconds per tick over a fixed count, for the closing note.
double MicrosecondsPerTick(const std::function<double()>& tick) {
  const int kTicks = 20000;
  for (int i = 0; i < kTicks / 10; ++i) tick();
  const auto start = std::chrono::steady_clock::now();
  double sink = 0.0;
  for (int i = 0; i < kTicks; ++i) sink += tick();
  benchmark::DoNotOptimize(sink);
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / kTicks;
}

void SetUp() {
  g_bench = new Bench;
  VGPYFactory::Init();
  g_bench->actor = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
  g_bench->world.reset(new VGPythonDictionary(VGPYFactory::GetInterpreter()));
  VGPythonLock lock;
  g_bench->names.reset(new Names);
  PyObject* globals = PyDict_New();
  PyDict_SetItemString(globals, "__builtins__", PyEval_GetBuiltins());
  PyObject* done = PyRun_String(kTickInPython, Py_file_input, globals, globals);
  Py_XDECREF(done);
  g_bench->tickInPython = PyDict_GetItemString(globals, "tick");
  Py_XINCREF(g_bench->tickInPython);
  Py_DECREF(globals);
}

void TearDown() {
  {
    VGPythonLock lock;
    Py_XDECREF(g_bench->tickInPython);
    g_bench->names.reset();
  }
  delete g_bench;
  VGPYFactory::ReleaseGlobals();
  FinishPython();
}

}  // namespace

int main(int argc, char** argv) {
  if (chdir(KORVEX_DATA_DIR) != 0) return 1;
  StartPython();
  SetUp();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  const double perCall = MicrosecondsPerTick(TickThroughWrappers);
  const double perTick = MicrosecondsPerTick(TickGuardPerTick);
  const double inPython = MicrosecondsPerTick(TickInPython);
  std::printf(
      "closing note: one tick through the wrappers %.2f us with a guard per call, %.2f us with one guard per tick "
      "(%.0f ns and %.0f ns per call, %d calls); the same tick in Python %.2f us; wrappers / Python %.2f (guard per "
      "call) and %.2f (guard per tick)\n",
      perCall, perTick, perCall * 1000.0 / kCallsPerTick, perTick * 1000.0 / kCallsPerTick, kCallsPerTick, inPython,
      perCall / inPython, perTick / inPython);
  TearDown();
  return 0;
}
