#include "tests/platform/window/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>

extern char** environ;

namespace platform::testing {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(20);

// The mirror file is an X window dump: a header of big-endian 32-bit
// fields, the window's name, a colour table, then the pixels.
constexpr size_t kHeaderFields = 25;
enum HeaderField : size_t {
  kHeaderSize = 0,
  kPixmapWidth = 4,
  kPixmapHeight = 5,
  kByteOrder = 7,
  kBitsPerPixel = 11,
  kBytesPerLine = 12,
  kRedMask = 14,
  kGreenMask = 15,
  kBlueMask = 16,
  kColourCount = 19,
};
constexpr size_t kColourEntrySize = 12;

uint32_t BigEndian32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint32_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  return (pixel & mask) >> shift;
}

// Reads the display number the server writes once it is ready.
bool ReadDisplayNumber(int fd, std::string* number) {
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd entry{fd, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (poll(&entry, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
    char c = 0;
    if (read(fd, &c, 1) != 1) return false;  // the server ended before it was ready
    if (c == '\n') return !number->empty();
    number->push_back(c);
  }
  return false;
}

}  // namespace

std::unique_ptr<XvfbServer> XvfbServer::Start(int32_t width, int32_t height, std::string* error) {
  std::string folderTemplate =
      (std::filesystem::temp_directory_path() / "sdl-window-xvfb-XXXXXX").string();
  if (mkdtemp(folderTemplate.data()) == nullptr) {
    *error = "cannot make a folder for the X server";
    return nullptr;
  }
  const std::filesystem::path folder = folderTemplate;
  int pipeFds[2] = {-1, -1};
  if (pipe(pipeFds) != 0) {
    *error = "cannot make a pipe";
    std::filesystem::remove_all(folder);
    return nullptr;
  }
  // The server gets the pipe's writing end only; the log catches what it
  // says in case it never becomes ready.
  fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
  const std::string log = (folder / "xvfb.log").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::vector<std::string> arguments{
      "Xvfb",         "-displayfd", std::to_string(pipeFds[1]),
      "-screen",      "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
      "-nolisten",    "tcp",        "-fbdir",
      folder.string()};
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  std::string number;
  const bool ready = spawned == 0 && ReadDisplayNumber(pipeFds[0], &number);
  close(pipeFds[0]);
  if (!ready) {
    std::ifstream said(log);
    *error = "Xvfb did not start: " + std::string(std::istreambuf_iterator<char>(said), {});
    if (spawned == 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    std::filesystem::remove_all(folder);
    return nullptr;
  }
  return std::make_unique<XvfbServer>(pid, folder, ":" + number);
}

XvfbServer::XvfbServer(pid_t pid, std::filesystem::path folder, std::string display)
    : pid_(pid), folder_(std::move(folder)), display_(std::move(display)) {}

XvfbServer::~XvfbServer() {
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::vector<uint32_t> XvfbServer::Screenshot(int32_t* width, int32_t* height) const {
  std::ifstream file(folder_ / "Xvfb_screen0", std::ios::binary);
  const std::vector<unsigned char> dump((std::istreambuf_iterator<char>(file)), {});
  if (dump.size() < kHeaderFields * 4) return {};
  auto field = [&](size_t index) { return BigEndian32(&dump[index * 4]); };
  const uint32_t bitsPerPixel = field(kBitsPerPixel);
  const size_t start = size_t{field(kHeaderSize)} + size_t{field(kColourCount)} * kColourEntrySize;
  const size_t stride = field(kBytesPerLine);
  *width = static_cast<int32_t>(field(kPixmapWidth));
  *height = static_cast<int32_t>(field(kPixmapHeight));
  if (bitsPerPixel != 32 || dump.size() < start + stride * static_cast<size_t>(*height)) return {};
  const bool leastSignificantFirst = field(kByteOrder) == 0;
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(*width) * static_cast<size_t>(*height));
  for (int32_t y = 0; y < *height; ++y) {
    for (int32_t x = 0; x < *width; ++x) {
      const unsigned char* p = &dump[start + static_cast<size_t>(y) * stride + x * 4u];
      const uint32_t pixel =
          leastSignificantFirst
              ? (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0]
              : BigEndian32(p);
      pixels.push_back((Channel(pixel, field(kRedMask)) << 16) |
                       (Channel(pixel, field(kGreenMask)) << 8) | Channel(pixel, field(kBlueMask)));
    }
  }
  return pixels;
}

}  // namespace platform::testing
