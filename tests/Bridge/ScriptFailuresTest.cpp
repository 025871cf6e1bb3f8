// Every way a script can fail the bridge: the bridge's own message, the script's error in the log,
// and a next call that works.
#include "LogCapture.h"
#include "ScriptTestSupport.h"
#include "TempFolder.h"
#include "VGPYFactory.h"
#include "VGPythonFunctor.h"
#include "VGPythonInterpreter.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace Vellgrove;
using TestSupport::MessageOf;
using TestSupport::ScriptName;
using TestSupport::StartsWith;

namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A plain call of the module after a failure: the error indicator is clear and the answer right.
void ExpectTheNextCallWorks(const boost::shared_ptr<VGPythonInterpreter>& interpreter) {
  EXPECT_FALSE(TestSupport::ErrorPending());
  VGPythonFunctor echo(interpreter);
  echo.SetFuncName("echo", 1);
  echo.SetArgumentValueSizeT(0, 41);
  EXPECT_EQ(echo.Exec().GetResultAsSizeT(), 41u);
}

struct FailureCase {
  const char* what;
  std::function<void()> action;
  std::string message;
  const char* scriptText;  // the script's own words in the log; null for a bridge-only failure
};

VGPythonResult ValueOf(const char* name) {
  VGPythonFunctor valueOf(VGPYFactory::GetInterpreter());
  valueOf.SetFuncName("value_of", 1);
  valueOf.SetArgumentValueString(name);
  return valueOf.Exec();
}

}  // namespace

TEST(ScriptFailures, EachRaisesItsMessageLogsTheScriptAndLeavesTheNextCallWorking) {
  const boost::shared_ptr<VGPythonInterpreter> interpreter = VGPYFactory::GetInterpreter();
  const boost::shared_ptr<VGPythonObject> thing = VGPYFactory::CreateByTypeName("VGGOT_SIMPLE");
  const ScriptName missing("no_such_attribute");
  const ScriptName x("x");
  const std::string module = " module [vgpy_factory]";
  const auto fresh = [] { return boost::shared_ptr<VGPythonInterpreter>(new VGPythonInterpreter); };
  const auto call = [interpreter](const char* name, size_t count) {
    VGPythonFunctor functor(interpreter);
    functor.SetFuncName(name, count);
    if (count > 0) functor.SetArgumentValueSizeT(0, 1);
    functor.Exec();
  };

  const std::vector<FailureCase> cases = {
      {"missing module", [&] { fresh()->LoadModule("vgpy_missing"); }, "can't load Python module [vgpy_missing]",
       "ModuleNotFoundError"},
      {"module with a syntax error", [&] { fresh()->LoadModule("vgpy_broken_syntax"); },
       "can't load Python module [vgpy_broken_syntax]", "SyntaxError"},
      {"module raising while it loads", [&] { fresh()->LoadModule("vgpy_raising_import"); },
       "can't load Python module [vgpy_raising_import]", "the module refuses to load on purpose"},
      {"missing function", [&] { call("no_such_function", 0); }, "can't get ModuleAttribute[no_such_function]",
       "AttributeError"},
      {"module value that is no function", [&] { call("not_a_function", 0); },
       "the [not_a_function] is not a function name of module [vgpy_factory]", nullptr},
      {"missing method", [&] { thing->SetMethodName("no_such_method", 0); },
       "method [no_such_method] is not a method name of module [vgpy_factory]", "no_such_method"},
      {"missing attribute", [&] { thing->GetPropertyValue(missing); },
       "property [no_such_attribute] is not a property name of class name[VGGOT_SIMPLE]" + module,
       "no_such_attribute"},
      {"raising function", [&] { call("raising", 0); }, "can't return function result.[raising]" + module,
       "the function fails on purpose"},
      {"raising method",
       [&] {
         thing->SetMethodName("fail", 0);
         thing->Call();
       },
       "can't return result from method[fail] result." + module, "the method fails on purpose"},
      {"create of an unknown type", [&] { VGPYFactory::CreateByTypeName("VGGOT_NOPE"); },
       "can't return function result.[create]" + module, "unknown type name 'VGGOT_NOPE'"},
      {"None as bool", [&] { ValueOf("none").GetResultAsBool(); },
       "can't convert the script value of type [NoneType] to bool", nullptr},
      {"text as bool", [&] { ValueOf("text").GetResultAsBool(); }, "can't convert the script value of type [str] to bool",
       nullptr},
      {"float as size", [&] { ValueOf("half").GetResultAsSizeT(); },
       "can't convert the script value of type [float] to size", nullptr},
      {"negative as size", [&] { ValueOf("minus_one").GetResultAsSizeT(); },
       "can't convert the script value of type [int] to size (negative or too large)", nullptr},
      {"None as size", [&] { ValueOf("none").GetResultAsSizeT(); },
       "can't convert the script value of type [NoneType] to size", nullptr},
      {"text as double", [&] { ValueOf("text").GetResultAsDouble(); },
       "can't convert the script value of type [str] to double", nullptr},
      {"huge integer as double", [&] { ValueOf("huge").GetResultAsDouble(); },
       "can't convert the script value of type [int] to double (too large)", nullptr},
      {"None as string", [&] { ValueOf("none").GetResultAsString(); },
       "can't convert the script value of type [NoneType] to string", nullptr},
      {"integer as string", [&] { ValueOf("seven").GetResultAsString(); },
       "can't convert the script value of type [int] to string", nullptr},
      {"non-ASCII text as string", [&] { ValueOf("non_ascii").GetResultAsString(); },
       "can't convert the script value of type [str] to string (not ASCII)", nullptr},
      {"property value that could not be made", [&] { thing->SetPropertyValueString(x, "\xff"); },
       "can't set value to property[x]. class name[VGGOT_SIMPLE]. module name[vgpy_factory]", nullptr},
      {"argument never set",
       [&] {
         VGPythonFunctor add(interpreter);
         add.SetFuncName("add", 2);
         add.SetArgumentValueSizeT(0, 1);
         add.Exec();
       },
       "argument [1] not set. module [vgpy_factory]", nullptr},
      {"argument outside the tuple",
       [&] {
         thing->SetMethodName("add", 1);
         thing->SetArgumentValueInteger(5);
       },
       "can't set value:", nullptr},
      {"functor argument outside the tuple",
       [&] {
         VGPythonFunctor echo(interpreter);
         echo.SetFuncName("echo", 1);
         echo.SetArgumentValueDouble(3, 1.0);
       },
       "can't set long value:", nullptr},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    TestSupport::LogCapture log;
    const std::string message = MessageOf(c.action);
    EXPECT_TRUE(StartsWith(message, c.message)) << message;
    if (c.scriptText != nullptr) {
      EXPECT_NE(log.Text().find(Wide(c.scriptText)), std::wstring::npos) << std::string(log.Text().begin(), log.Text().end());
      EXPECT_NE(log.Text().find(Wide(c.message)), std::wstring::npos) << "the log line names the bridge's failure";
    }
    ExpectTheNextCallWorks(interpreter);
  }
  // The property that could not be set kept its value.
  EXPECT_DOUBLE_EQ(thing->GetPropertyValue(x).GetResultAsDouble(), 0.0);
}

TEST(ScriptFailures, AMissingModuleLeavesTheInterpreterWithoutModuleName) {
  VGPythonInterpreter interpreter;
  EXPECT_FALSE(MessageOf([&] { interpreter.LoadModule("vgpy_missing"); }).empty());
  EXPECT_FALSE(interpreter.IsModuleLoaded());
  EXPECT_EQ(interpreter.GetModuleName(), "");
}

// A start that failed (no module where the program stands) is tried again on the next use, on the
// same running interpreter: nothing is finalised in between.
TEST(ScriptFailures, ARetriedStartKeepsTheRunningInterpreter) {
  const std::filesystem::path fixture = std::filesystem::current_path();
  VGPYFactory::ReleaseGlobals();
  {
    VGPythonLock lock;
    ASSERT_EQ(PyRun_SimpleString("import sys\nsys.modules.pop('vgpy_factory', None)\nsys.bridge_marker = 'still here'"), 0);
  }
  std::filesystem::current_path(fixture.parent_path());
  EXPECT_TRUE(StartsWith(MessageOf([] { VGPYFactory::Init(); }), "can't load Python module [vgpy_factory]"));
  std::filesystem::current_path(fixture);
  VGPYFactory::Init();
  EXPECT_EQ(VGPYFactory::GetGameObjectStateStr(1), "walk");
  VGPythonLock lock;
  PyObject* marker = PySys_GetObject("bridge_marker");
  ASSERT_NE(marker, nullptr) << "the interpreter was restarted";
  EXPECT_STREQ(PyUnicode_AsUTF8(marker), "still here");
}

// Whatever PYTHONPATH said when the interpreter started, the scripts folder of the working
// directory comes first once the module is loaded; the variable of a running interpreter is left
// as it was.
TEST(ScriptFailures, TheScriptsFolderComesFirstOnTheModulePath) {
  TestSupport::ScopedEnvironment userPath("PYTHONPATH", "/somewhere/else");
  VGPYFactory::Init();
  EXPECT_STREQ(std::getenv("PYTHONPATH"), "/somewhere/else");
  VGPythonLock lock;
  PyObject* path = PySys_GetObject("path");
  ASSERT_TRUE(path != nullptr && PyList_Size(path) > 0);
  const std::string first = PyUnicode_AsUTF8(PyList_GetItem(path, 0));
  EXPECT_EQ(first, (std::filesystem::current_path() / "scripts").string());
  for (Py_ssize_t i = 0; i < PyList_Size(path); ++i) {
    EXPECT_NE(PyUnicode_AsUTF8(PyList_GetItem(path, i)), std::filesystem::current_path().string())
        << "the working directory itself is no module folder";
  }
}
