#pragma once
// A private X server for one test: Xvfb on a display number it picks
// itself, with its screen mirrored to a file that the test can read back.
// The server is ended when the object goes.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace platform::testing {

class XvfbServer {
 public:
  // Starts a server with one screen of `width` x `height` at 24 bits and
  // waits until it accepts clients. Null, with the reason in `error`, when
  // it does not come up within a few seconds.
  static std::unique_ptr<XvfbServer> Start(int32_t width, int32_t height, std::string* error);
  XvfbServer(pid_t pid, std::filesystem::path folder, std::string display);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // The value for DISPLAY, such as ":3".
  const std::string& Display() const { return display_; }

  // The screen as it is now, as 0xRRGGBB values row by row; empty when the
  // mirror cannot be read.
  std::vector<uint32_t> Screenshot(int32_t* width, int32_t* height) const;

 private:
  pid_t pid_;
  std::filesystem::path folder_;
  std::string display_;
};

}  // namespace platform::testing
