#include "picture_cache.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>

namespace tarsel {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

bool StatFile(const std::string& path, int64_t& modified, int64_t& size) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  size = static_cast<int64_t>(st.st_size);
  return true;
}

}  // namespace

QImage PictureCache::Decode(const std::string& path) {
  QImage decoded(QString::fromStdString(path));
  if (decoded.isNull()) return {};
  // Keep the colour the file stores under transparent pixels: no premultiplication, then mark
  // every pixel opaque so copies never blend.
  // Converted in place (no copy when the file already is ARGB32).
  QImage image = std::move(decoded).convertToFormat(QImage::Format_ARGB32);
  const int width = image.width();  // read once: the call is not inlined into the pixel loop
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] |= 0xFF000000u;
  }
  image.reinterpretAsFormat(QImage::Format_RGB32);
  return image;
}

const std::string* PictureCache::FindInFolder(const std::string& folder,
                                              const std::string& component) {
  int64_t modified = 0, size = 0;
  if (!StatFile(folder, modified, size)) return nullptr;
  Listing& listing = folders_[folder];
  if (listing.modified != modified) {
    listing.byLowerName.clear();
    listing.modified = modified;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (dir) {
      while (dirent* e = ::readdir(dir.get())) {
        // The first spelling wins when two names differ only in case.
        listing.byLowerName.emplace(Lower(e->d_name), e->d_name);
      }
    }
  }
  auto it = listing.byLowerName.find(Lower(component));
  return it == listing.byLowerName.end() ? nullptr : &it->second;
}

std::string PictureCache::Resolve(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  std::size_t start = 0;
  while (start < name.size()) {
    const std::size_t slash = name.find('/', start);
    const std::string component(name.substr(
        start, slash == std::string_view::npos ? std::string_view::npos : slash - start));
    start = slash == std::string_view::npos ? name.size() : slash + 1;
    if (component.empty() || component == "." || component == "..") continue;
    const std::string* actual = FindInFolder(path, component);
    if (!actual) return {};
    path += *actual;
    if (start < name.size()) path += '/';
  }
  return path;
}

PictureCache::Pass::Pass(PictureCache& cache) : cache_(cache) {
  ++cache_.passDepth_;
}

PictureCache::Pass::~Pass() {
  if (--cache_.passDepth_ == 0) cache_.seenInPass_.clear();
}

const QImage* PictureCache::Get(const std::string& folder, std::string_view name) {
  if (passDepth_ == 0) return Lookup(folder, name);
  passKey_.assign(folder);
  passKey_ += '\n';
  passKey_.append(name);
  if (auto it = seenInPass_.find(passKey_); it != seenInPass_.end()) return it->second;
  const QImage* image = Lookup(folder, name);
  seenInPass_.emplace(passKey_, image);
  return image;
}

const QImage* PictureCache::Lookup(const std::string& folder, std::string_view name) {
  const std::string path = Resolve(folder, name);
  if (path.empty()) return nullptr;
  int64_t modified = 0, size = 0;
  if (!StatFile(path, modified, size)) return nullptr;
  Entry& entry = pictures_[path];
  if (entry.modified != modified || entry.size != size) {
    entry.image = Decode(path);
    entry.modified = modified;
    entry.size = size;
  }
  return entry.image.isNull() ? nullptr : &entry.image;
}

}  // namespace tarsel
