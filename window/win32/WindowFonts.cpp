#include "window/win32/WindowFonts.h"

#include <string>

#include "platform/win32/WideText.h"

namespace zarvex {

namespace {

bool SameFont(const FontSpec& a, const FontSpec& b) {
  return a.family == b.family && a.points == b.points && a.bold == b.bold;
}

HFONT MakeFont(const FontSpec& font, const ScreenScale& scale) {
  const std::wstring family = ToUtf16(font.family);
  return CreateFontW(scale.FontHeight(font.points), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family.c_str());
}

}  // namespace

WindowFonts::WindowFonts(const ScreenScale& scale)
    : defaultFont_(MakeFont(kDefaultFont, scale)),
      labelFont_(MakeFont(kLabelFont, scale)),
      scriptFont_(MakeFont(kScriptFont, scale)) {}

WindowFonts::~WindowFonts() {
  DeleteObject(defaultFont_);
  DeleteObject(labelFont_);
  DeleteObject(scriptFont_);
}

HFONT WindowFonts::For(const FontSpec& font) const {
  if (SameFont(font, kLabelFont)) {
    return labelFont_;
  }
  if (SameFont(font, kScriptFont)) {
    return scriptFont_;
  }
  return defaultFont_;
}

}  // namespace zarvex
