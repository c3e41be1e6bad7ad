// A canvas that records every drawing call, for asserting what a paint pass drew where.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tarsel::testing {

struct DrawCall {
  enum Kind { Image, ImagePart, ResourcePart, Text, Frame, Line, Fill, Gradient } kind;
  std::string name;  // picture name (Image, ImagePart)
  ResourcePicture resource = ResourcePicture::AppIcon;
  std::u16string text;
  int x = 0, y = 0;           // destination
  int srcX = 0, srcY = 0;     // source corner of part copies
  int width = 0, height = 0;  // part size, frame/fill size; text: pixel height in height
  Rgb colour{};
};

class RecordingCanvas final : public Canvas {
 public:
  explicit RecordingCanvas(Size size = {1000, 645}) : size_(size) {}

  Size CanvasSize() const override { return size_; }
  void DrawSkinImage(std::string_view fileName, int x, int y) override {
    calls.push_back({DrawCall::Image, std::string(fileName), {}, {}, x, y});
  }
  void DrawSkinImagePart(std::string_view fileName, int srcX, int srcY, int width, int height,
                         int x, int y) override {
    calls.push_back(
        {DrawCall::ImagePart, std::string(fileName), {}, {}, x, y, srcX, srcY, width, height});
  }
  void DrawResourceImagePart(ResourcePicture picture, int srcX, int srcY, int width, int height,
                             int x, int y) override {
    calls.push_back({DrawCall::ResourcePart, {}, picture, {}, x, y, srcX, srcY, width, height});
  }
  void DrawSkinText(std::u16string_view text, int x, int y, Rgb colour, int pixelHeight) override {
    calls.push_back(
        {DrawCall::Text, {}, {}, std::u16string(text), x, y, 0, 0, 0, pixelHeight, colour});
  }
  void DrawStyledText(std::u16string_view text, int x, int y, Rgb colour,
                      const TextStyle& style) override {
    calls.push_back(
        {DrawCall::Text, {}, {}, std::u16string(text), x, y, 0, 0, 0, style.pixelHeight, colour});
  }
  void DrawFrameRect(int x, int y, int width, int height) override {
    calls.push_back({DrawCall::Frame, {}, {}, {}, x, y, 0, 0, width, height, {255, 255, 255}});
  }
  void DrawLine(int x0, int y0, int x1, int y1, Rgb colour) override {
    calls.push_back({DrawCall::Line, {}, {}, {}, x0, y0, x1, y1, 0, 0, colour});
  }
  void FillSolid(int x, int y, int width, int height, Rgb colour) override {
    calls.push_back({DrawCall::Fill, {}, {}, {}, x, y, 0, 0, width, height, colour});
  }
  void FillGradient(int x, int y, int width, int height, Rgb from, Rgb, bool) override {
    calls.push_back({DrawCall::Gradient, {}, {}, {}, x, y, 0, 0, width, height, from});
  }

  // The first whole-picture draw of name, or nullptr.
  const DrawCall* FindImage(std::string_view name) const {
    auto it = std::find_if(calls.begin(), calls.end(), [&](const DrawCall& c) {
      return c.kind == DrawCall::Image && c.name == name;
    });
    return it == calls.end() ? nullptr : &*it;
  }
  const DrawCall* FindText(std::u16string_view text) const {
    auto it = std::find_if(calls.begin(), calls.end(), [&](const DrawCall& c) {
      return c.kind == DrawCall::Text && c.text == text;
    });
    return it == calls.end() ? nullptr : &*it;
  }
  // Index of the first call matching name or text, -1 when absent; for checking paint order.
  int IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].name == name) return static_cast<int>(i);
    }
    return -1;
  }

  std::vector<DrawCall> calls;

 private:
  Size size_;
};

}  // namespace tarsel::testing
