// A program whose global object logs from its exit-time destructor, as the render device does
// when the last holder of it is a global pointer. With a log file path as its argument it
// installs the file device first.
#include "SLoger.h"
#include "SOutputDeviceFile.h"

#include "Platform/NativePath.h"

namespace {

struct LogsWhenReleased {
  ~LogsWhenReleased() { SCore::g_Loger << SCore::GetTimeStamp() << " released at exit\n"; }
} g_releasedBeforeTheLogger;

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    const std::wstring path = Platform::Utf8ToWide(argv[1]);
    SCore::g_Loger.SetDevice(boost::shared_ptr<SCore::SOutputDevice>(new SCore::SOutputDeviceFile(path.c_str())));
    SCore::g_Loger << SCore::GetTimeStamp() << " started\n";
  }
  return 0;
}
