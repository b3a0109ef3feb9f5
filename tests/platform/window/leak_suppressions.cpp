// What the leak checker is not to report in this test program: memory that
// libdbus keeps for the session-bus connection SDL opens with its video.
// SDL gives the connection back only when all of SDL quits, which the
// window backend does not do (other services may still use SDL).
//
// The sanitizer runtime asks for this list by name at start-up; without
// the sanitizers nothing calls it.

extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}
