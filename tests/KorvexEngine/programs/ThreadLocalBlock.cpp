// A library with a block of thread-local storage, loaded at run time as the OpenGL driver and its
// shader compiler are: each thread that touches it gets its own block from malloc.
namespace {

thread_local char block[4000];

}  // namespace

extern "C" char* TouchThreadLocalBlock() {
  block[0] = 1;
  return block;
}
