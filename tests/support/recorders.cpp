#include "support/recorders.h"

#include <atomic>
#include <random>
#include <stdexcept>

#include <unistd.h>

namespace bruso::testing {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device device;
  path_ = std::filesystem::temp_directory_path() /
          ("bruso-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(device()));
  std::filesystem::create_directories(path_);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::filesystem::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace bruso::testing
