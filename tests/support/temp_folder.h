// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes away; subfolders a test left read-only are made
// writable first. Free of GoogleTest, so the fuzz targets use it too. A
// folder or file that cannot be made or read throws std::runtime_error.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumo::testing {

class TempFolder {
 public:
  // The folder is named lumo-<tag>-XXXXXX.
  explicit TempFolder(std::string_view tag = "test") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("lumo-" + std::string(tag) + "-XXXXXX"))
            .string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot make a temporary folder " + pattern);
    }
    path_ = pattern;
  }
  ~TempFolder() { remove_tree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string path(std::string_view name) const { return path_ + "/" + std::string(name); }

  // Writes `bytes` to the file `name` (made or emptied first), then gives it
  // the permission bits `mode`.
  void write(std::string_view name, std::string_view bytes, unsigned mode = 0644) const {
    const std::string p = path(name);
    {
      std::ofstream out(p, std::ios::binary | std::ios::trunc);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!out) throw std::runtime_error("cannot write " + p);
    }
    if (::chmod(p.c_str(), static_cast<mode_t>(mode)) != 0) {
      throw std::runtime_error("cannot set the mode of " + p);
    }
  }

  // The bytes of the file `name`.
  std::string read(std::string_view name) const {
    std::ifstream in(path(name), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path(name));
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  bool exists(std::string_view name) const { return std::filesystem::exists(path(name)); }

  // Makes `dir` and every folder below it writable, then removes the tree.
  static void remove_tree(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    ::chmod(dir.c_str(), 0700);
    for (auto it = fs::recursive_directory_iterator(dir, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_directory(ec) && !it->is_symlink(ec)) ::chmod(it->path().c_str(), 0700);
    }
    fs::remove_all(dir, ec);
  }

 private:
  std::string path_;
};

}  // namespace lumo::testing
