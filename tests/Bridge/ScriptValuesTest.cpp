// The value wrappers: conversions, containers, and the one reference each wrapper owns.
#include "ScriptTestSupport.h"
#include "VGPYFactory.h"
#include "VGPythonDictionary.h"
#include "VGPythonFunctor.h"
#include "VGPythonInterpreter.h"
#include "VGPythonList.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

using namespace Vellgrove;
using TestSupport::MessageOf;
using TestSupport::RefCount;
using TestSupport::ScriptName;
using TestSupport::StartsWith;

namespace {

VGPythonResult ValueOf(const char* name) {
  VGPythonFunctor valueOf(VGPYFactory::GetInterpreter());
  valueOf.SetFuncName("value_of", 1);
  valueOf.SetArgumentValueString(name);
  return valueOf.Exec();
}

// A new script object that only the caller holds.
PyObject* Fresh() {
  VGPythonFunctor fresh(VGPYFactory::GetInterpreter());
  fresh.SetFuncName("fresh_object", 0);
  VGPythonResult result = fresh.Exec();
  VGPythonLock lock;
  Py_INCREF(result.GetResult());
  return result.GetResult();
}

void Release(PyObject* value) {
  VGPythonLock lock;
  Py_DECREF(value);
}

}  // namespace

TEST(ScriptValues, ConvertTheScriptTypesTheyTake) {
  struct BoolCase {
    const char* value;
    bool expected;
  };
  const BoolCase bools[] = {{"true", true},  {"false", false},      {"zero", false},      {"two", true},
                            {"minus_one", true}, {"half", false},   {"minus_half", false}, {"one_and_half", true},
                            {"huge", true}};
  for (const BoolCase& c : bools) EXPECT_EQ(ValueOf(c.value).GetResultAsBool(), c.expected) << c.value;
  EXPECT_EQ(ValueOf("seven").GetResultAsSizeT(), 7u);
  EXPECT_EQ(ValueOf("true").GetResultAsSizeT(), 1u);
  EXPECT_DOUBLE_EQ(ValueOf("half").GetResultAsDouble(), 0.5);
  EXPECT_DOUBLE_EQ(ValueOf("minus_one").GetResultAsDouble(), -1.0);
  EXPECT_EQ(ValueOf("text").GetResultAsString(), "walk");
  EXPECT_EQ(ValueOf("empty_text").GetResultAsString(), "");
}

TEST(ScriptValues, ResultCopiesEachOwnOneReference) {
  PyObject* fresh = Fresh();
  const Py_ssize_t before = RefCount(fresh);
  {
    VGPythonLock lock;
    Py_INCREF(fresh);
  }
  {
    VGPythonResult first(fresh);
    VGPythonResult second(first);
    VGPythonResult third(second);
    third = first;
    VGPythonResult moved(std::move(third));
    EXPECT_EQ(RefCount(fresh), before + 3);
    EXPECT_EQ(third.GetResult(), nullptr);
  }
  EXPECT_EQ(RefCount(fresh), before);
  Release(fresh);
}

TEST(ScriptValues, ContainerReadsLeaveTheItemsCountsAsTheyWere) {
  const boost::shared_ptr<VGPythonInterpreter> interpreter = VGPYFactory::GetInterpreter();
  boost::shared_ptr<VGPythonDictionary> world(new VGPythonDictionary(interpreter));
  const ScriptName actors("actors");
  PyObject* fresh = Fresh();
  const Py_ssize_t freshBefore = RefCount(fresh);
  {
    VGPythonList list(interpreter);
    EXPECT_EQ(list.GetSize(), 0u);
    list.Append(fresh);
    EXPECT_EQ(list.GetSize(), 1u);
    EXPECT_TRUE(StartsWith(MessageOf([&] { list.GetValue(1); }), "list index [1] is outside the list of 1"));
    world->Set(actors, list.GetList());
  }
  {
    VGPythonList read(world->GetValue(actors).GetResult());
    EXPECT_TRUE(world->Contains(actors));
    EXPECT_EQ(read.GetValue(0).GetResult(), fresh);
    EXPECT_EQ(RefCount(fresh), freshBefore + 1) << "the list's own";
    // The dictionary goes first; the list wrapper keeps the list.
    world.reset();
    EXPECT_EQ(read.GetSize(), 1u);
    EXPECT_EQ(RefCount(read.GetList()), 1);
  }
  EXPECT_EQ(RefCount(fresh), freshBefore);
  Release(fresh);
}

TEST(ScriptValues, ContainerFailuresNameTheModule) {
  const boost::shared_ptr<VGPythonInterpreter> interpreter = VGPYFactory::GetInterpreter();
  VGPythonDictionary world(interpreter);
  const ScriptName key("key");
  PyObject* unhashable = ValueOf("list").GetResult();
  EXPECT_TRUE(StartsWith(MessageOf([&] { world.GetValue(key); }),
                         "dictionary don't contain the key. module name [vgpy_factory]"));
  EXPECT_TRUE(StartsWith(MessageOf([&] { world.Set(unhashable, key); }), "can't set value. module name [vgpy_factory]"));
  EXPECT_FALSE(world.Contains(key));
  EXPECT_FALSE(TestSupport::ErrorPending());
  const VGPythonResult seven = ValueOf("seven");
  EXPECT_TRUE(StartsWith(MessageOf([&] { VGPythonList notAList(seven.GetResult()); }),
                         "the script value of type [int] is not a list. module name [unknown]"));
}

// A functor's tuple keeps what it was given until that position is set again, then releases it
// once; the unchanged positions keep their values.
TEST(ScriptValues, ReplacedArgumentsAreReleasedOnce) {
  PyObject* fresh = Fresh();
  const Py_ssize_t before = RefCount(fresh);
  VGPythonFunctor echo(VGPYFactory::GetInterpreter());
  echo.SetFuncName("echo", 1);
  echo.SetArgumentValuePyObject(fresh);
  EXPECT_EQ(RefCount(fresh), before + 1);
  EXPECT_EQ(echo.Exec().GetResult(), fresh);
  EXPECT_EQ(echo.Exec().GetResult(), fresh) << "a second call with the same arguments";
  EXPECT_EQ(RefCount(fresh), before + 1);
  echo.SetArgumentValueSizeT(0, 3);
  EXPECT_EQ(RefCount(fresh), before);

  VGPythonFunctor add(VGPYFactory::GetInterpreter());
  add.SetFuncName("add", 2);
  add.SetArgumentValueSizeT(0, 40);
  add.SetArgumentValueSizeT(1, 2);
  EXPECT_EQ(add.Exec().GetResultAsSizeT(), 42u);
  add.SetArgumentValueDouble(1, 0.5);
  EXPECT_DOUBLE_EQ(add.Exec().GetResultAsDouble(), 40.5);
  Release(fresh);
}

TEST(ScriptValues, AttributeReadsAndWritesKeepCounts) {
  const boost::shared_ptr<VGPythonObject> thing = VGPYFactory::CreateByTypeName("VGGOT_SIMPLE");
  PyObject* fresh = Fresh();
  const ScriptName held("held");
  const ScriptName x("x");
  thing->SetMethodName("hold", 1);
  thing->SetArgumentValuePyObject(0, fresh);
  EXPECT_TRUE(thing->Call().GetResultAsBool());
  const Py_ssize_t before = RefCount(fresh);
  EXPECT_EQ(thing->GetPropertyValue(held).GetResult(), fresh);
  EXPECT_EQ(RefCount(fresh), before);
  thing->SetPropertyValueDouble(x, 2.5);
  EXPECT_DOUBLE_EQ(thing->GetPropertyValue(x).GetResultAsDouble(), 2.5);
  thing->SetPropertyValueLong(x, -3);
  EXPECT_DOUBLE_EQ(thing->GetPropertyValue(x).GetResultAsDouble(), -3.0);
  thing->SetPropertyValueSizeT(x, 4);
  EXPECT_EQ(thing->GetPropertyValue(x).GetResultAsSizeT(), 4u);
  thing->SetPropertyValueBoolean(x, true);
  EXPECT_TRUE(thing->GetPropertyValue(x).GetResultAsBool());
  thing->SetPropertyValueString(x, "name");
  EXPECT_EQ(thing->GetPropertyValue(x).GetResultAsString(), "name");
  Release(fresh);
}

// A successful call forgets the prepared method and its tuple; destroying the object then releases
// only the instance. A method's None is an answer.
TEST(ScriptValues, DestructionAfterCallReleasesOnlyTheInstance) {
  boost::shared_ptr<VGPythonObject> thing = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
  PyObject* instance = thing->GetInstance();
  {
    VGPythonLock lock;
    Py_INCREF(instance);
  }
  const Py_ssize_t before = RefCount(instance);
  thing->SetMethodName("add", 2);
  EXPECT_EQ(RefCount(instance), before + 1) << "the bound method holds the instance";
  thing->SetArgumentValueDouble(0, 1.0);
  thing->SetArgumentValueInteger(2);
  EXPECT_DOUBLE_EQ(thing->Call().GetResultAsDouble(), 3.0);
  EXPECT_EQ(RefCount(instance), before);
  thing->SetMethodName("nothing_back", 0);
  const VGPythonResult none = thing->Call();
  EXPECT_EQ(none.GetResult(), Py_None);
  EXPECT_TRUE(StartsWith(MessageOf([&] { thing->Call(); }), "can't return result from method[nothing_back]"))
      << "a prepared method serves one call";
  thing.reset();
  EXPECT_EQ(RefCount(instance), before - 1);
  Release(instance);
}

// The sanitised run hands the interpreter's blocks to malloc, so that a script value released once
// too often shows where it happens. Here two results each take over the one reference of a value.
TEST(ScriptValuesDeathTest, ADoubleReleaseIsSeenInTheSanitisedRun) {
#if defined(__SANITIZE_ADDRESS__)
  const char* allocator = std::getenv("PYTHONMALLOC");
  if (allocator == nullptr || std::string(allocator) != "malloc") GTEST_SKIP() << "PYTHONMALLOC is not malloc";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        PyObject* text = nullptr;
        {
          VGPythonLock lock;
          text = PyBytes_FromString("a script value released twice");
        }
        { VGPythonResult first(text); }
        { VGPythonResult second(text); }
      },
      "heap-use-after-free");
#else
  GTEST_SKIP() << "not built with AddressSanitizer";
#endif
}
