#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/card_display.h"
#include "engine/output_channel.h"
#include "session/window_state.h"

namespace bruso::testing {

// A memo that remembers every line it receives.
class RecordingSink : public TextSink {
 public:
  void AppendLine(std::string_view line) override { lines.emplace_back(line); }
  void Clear() override { lines.clear(); }
  std::vector<std::string> lines;
};

// Message boxes, remembered in the order shown.
class RecordingMessages : public UserMessages {
 public:
  void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

// Six images that show card codes as their "pictures": a picture handle indexes `stored`.
class RecordingCardImages : public CardImages {
 public:
  RecordingCardImages() : shown{"4H", "4C", "3H", "3C", "2H", "2C"} {}
  int CapturePicture(int image_index) override {
    stored.push_back(shown[image_index]);
    return static_cast<int>(stored.size()) - 1;
  }
  void ShowPicture(int image_index, int picture) override { shown[image_index] = stored[picture]; }

  std::vector<std::string> shown;   // what each image shows, in board order
  std::vector<std::string> stored;  // the pictures taken
};

// A fresh, empty folder below the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder() { std::filesystem::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view text);

}  // namespace bruso::testing
