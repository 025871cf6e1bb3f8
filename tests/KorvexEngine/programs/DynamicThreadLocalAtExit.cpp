// Loads the library given as its argument, touches its thread-local block on the main thread and
// ends; under the sanitisers the leak check then runs at exit with that block among its roots.
#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  using Touch = char* (*)();
  const auto touch = reinterpret_cast<Touch>(dlsym(library, "TouchThreadLocalBlock"));
  if (touch == nullptr || touch() == nullptr) {
    std::fprintf(stderr, "no thread-local block in %s\n", argv[1]);
    return 2;
  }
  return 0;
}
