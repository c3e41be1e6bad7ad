// Decoded skin pictures, kept between paint passes. A picture is decoded again when its file's
// modification time or size changed, so the result is the same as decoding on every pass.
//
// Inside a Pass each name is looked up on disk once: a window draws the same picture many times
// in one pass (a highlight per key), and checking the file before every copy cost more than all
// the drawing. A file that changes during a pass shows from the next one.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarsel {

class PictureCache {
 public:
  // One paint pass. Passes may nest; the outermost one decides when files are checked again.
  class Pass {
   public:
    explicit Pass(PictureCache& cache);
    ~Pass();
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

   private:
    PictureCache& cache_;
  };

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
  const QImage* Lookup(const std::string& folder, std::string_view name);
  const std::string* FindInFolder(const std::string& folder, const std::string& component);

  std::unordered_map<std::string, Entry> pictures_;
  std::unordered_map<std::string, Listing> folders_;
  // What the open pass already found, by folder + '\n' + name as asked (nullptr: missing).
  int passDepth_ = 0;
  std::unordered_map<std::string, const QImage*> seenInPass_;
  std::string passKey_;  // reused, so that a repeated name costs no allocation
};

}  // namespace tarsel
