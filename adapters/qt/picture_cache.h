// Decoded skin pictures, kept between paint passes. A picture is decoded again when its file's
// modification time or size changed, so the result is the same as decoding on every pass.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarsel {

class PictureCache {
 public:
  // The picture folder + name (name may hold sub-folders), matched without regard to case;
  // nullptr when missing or not a picture. Pixels are stored as they are in the file, alpha
  // dropped, ready for opaque copies.
  const QImage* Get(const std::string& folder, std::string_view name);
  // Decodes without the cache (what a pass without one would do).
  static QImage Decode(const std::string& path);

 private:
  struct Entry {
    QImage image;
    int64_t modified = -1;  // nanoseconds
    int64_t size = -1;
  };
  struct Listing {
    int64_t modified = -1;
    std::unordered_map<std::string, std::string> byLowerName;
  };
  // The actual path of folder/name on disk, found case-insensitively component by component.
  std::string Resolve(const std::string& folder, std::string_view name);
  const std::string* FindInFolder(const std::string& folder, const std::string& component);

  std::unordered_map<std::string, Entry> pictures_;
  std::unordered_map<std::string, Listing> folders_;
};

}  // namespace tarsel
