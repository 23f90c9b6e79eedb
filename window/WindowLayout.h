// The window's design as data: caption, client size and one row per control with its place in
// twips, its tab rank, font and colours. Every front end builds its controls from this table and
// scales it to pixels in one place; nothing else repeats a coordinate.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "script/Control.h"

namespace zarvex {

enum class ControlKind : unsigned char {
  Picture,
  Label,
  Button,
  DropDownList,
  OptionBox,
  ValueBox,
  ScriptArea,
};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct FontSpec {
  std::string_view family;
  double points = 0;
  bool bold = false;
};

struct ControlLayout {
  Control name;
  ControlKind kind;
  std::string_view text;
  std::string_view label;  // empty for controls no label names
  int left;
  int top;
  int width;
  int height;
  int tabRank;  // 1 is first; 0 for controls that never take the focus
  FontSpec font;
  std::optional<Rgb> textColour;
  std::optional<Rgb> backColour;
};

inline constexpr std::string_view kWindowCaption = "Zarvex Script Editor";
inline constexpr std::string_view kApplicationTitle = "Project1";
inline constexpr int kClientWidthTwips = 5880;
inline constexpr int kClientHeightTwips = 7575;
inline constexpr int kTwipsPerInch = 1440;

inline constexpr FontSpec kDefaultFont{"MS Sans Serif", 8.25, false};
inline constexpr FontSpec kLabelFont{"Arial", 8.25, true};
inline constexpr FontSpec kScriptFont{"Verdana", 8.25, false};

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kMaroon{128, 0, 0};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kDarkRed{64, 0, 0};

// Made up for this editor; names no real person.
inline constexpr std::string_view kAuthorCredit = "Made by Zarvex fans";

// Rows from the top of the window, as designed. Rows that overlap a little are meant to: the
// stacking rule below puts boxes and lists above the labels beside them. A box or list's label
// column holds the words of the label beside it, which screen readers announce as its name; the
// script area, which no label names, is announced as "Script".
// clang-format off
inline constexpr std::array<ControlLayout, 30> kWindowLayout = {{
    // control      kind                       text                    label             left   top width height tab font        text colour back colour
    {Control::Image1,   ControlKind::Picture,      "",                     "",                  0,    0, 5880, 4665,  0, kDefaultFont, {},      {}},
    {Control::Label9,   ControlKind::Label,        "Zarvex Script Editor", "",               1320,  360, 1935,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Command2, ControlKind::Button,       "Save Script",          "",               3840,  600, 1335,  255, 15, kDefaultFont, {},      {}},
    {Control::Combo1,   ControlKind::DropDownList, "",                     "Race type",       840,  960, 2535,  315, 11, kDefaultFont, {},      {}},
    {Control::Label10,  ControlKind::Label,        "<<<Race type",         "",               3600, 1000, 1335,  255,  0, kLabelFont,   kMaroon, {}},
    {Control::Check1,   ControlKind::OptionBox,    "",                     "Wasted Limit",    840, 1440,  200,  200,  5, kDefaultFont, {},      kDarkRed},
    {Control::Label1,   ControlKind::Label,        "Wasted Limit",         "",               1200, 1440, 1335,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Text1,    ControlKind::ValueBox,     "0",                    "Wasted Limit",   2520, 1400,  855,  285,  1, kDefaultFont, {},      {}},
    {Control::Check4,   ControlKind::OptionBox,    "",                     "Repair",         3600, 1440,  200,  200,  8, kDefaultFont, {},      kDarkRed},
    {Control::Label6,   ControlKind::Label,        "Repair",               "",               3960, 1440, 1335,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Check2,   ControlKind::OptionBox,    "",                     "Time Limit",      840, 1800,  200,  200,  6, kDefaultFont, {},      kDarkRed},
    {Control::Label2,   ControlKind::Label,        "Time Limit",           "",               1200, 1800, 1335,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Text2,    ControlKind::ValueBox,     "0",                    "Time Limit",     2520, 1740,  855,  285,  2, kDefaultFont, {},      {}},
    {Control::Check5,   ControlKind::OptionBox,    "",                     "Cars on map",    3600, 1800,  200,  200,  9, kDefaultFont, {},      kDarkRed},
    {Control::Label7,   ControlKind::Label,        "Cars on map",          "",               3960, 1800, 1335,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Check3,   ControlKind::OptionBox,    "",                     "Recover Delay",   840, 2160,  200,  200,  7, kDefaultFont, {},      kDarkRed},
    {Control::Label3,   ControlKind::Label,        "Recover Delay",        "",               1200, 2160, 1335,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Text3,    ControlKind::ValueBox,     "0",                    "Recover Delay",  2520, 2080,  855,  285,  3, kDefaultFont, {},      {}},
    {Control::Check6,   ControlKind::OptionBox,    "",                     "Server set car", 3600, 2160,  200,  200, 10, kDefaultFont, {},      kDarkRed},
    {Control::Label8,   ControlKind::Label,        "Server set car",       "",               3960, 2160, 1335,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Label5,   ControlKind::Label,        "Laps",                 "",               1200, 2700, 1335,  255,  0, kLabelFont,   kRed,    {}},
    {Control::Text5,    ControlKind::ValueBox,     "1",                    "Laps",           2520, 2640,  855,  285,  4, kDefaultFont, {},      {}},
    {Control::Command1, ControlKind::Button,       "Add to Script",        "",               3720, 2640, 1335,  255, 14, kDefaultFont, {},      {}},
    {Control::Label11,  ControlKind::Label,        "Track>>>",             "",               1680, 3180,  855,  255,  0, kLabelFont,   kMaroon, {}},
    {Control::Combo2,   ControlKind::DropDownList, "",                     "Track",          2520, 3120, 2535,  315, 12, kDefaultFont, {},      {}},
    {Control::Label12,  ControlKind::Label,        "Server Car>>>",        "",               1280, 3550, 1335,  255,  0, kLabelFont,   kMaroon, {}},
    {Control::Combo3,   ControlKind::DropDownList, "",                     "Server Car",     2520, 3480, 2535,  315, 13, kDefaultFont, {},      {}},
    {Control::Label13,  ControlKind::Label,        kAuthorCredit,          "",               2640, 3840, 2415,  255,  0, kLabelFont,   kMaroon, {}},
    {Control::Label4,   ControlKind::Label,        "v0.002",               "",               5160, 4320,  855,  255,  0, kLabelFont,   kSilver, {}},
    {Control::Text6,    ControlKind::ScriptArea,   "",                     "Script",            0, 4680, 5895, 2895, 16, kScriptFont,  {},      {}},
}};
// clang-format on

// The row of a control; every control has exactly one.
[[nodiscard]] const ControlLayout& LayoutOf(Control control);

// The controls that take the focus, in tab order.
[[nodiscard]] std::array<Control, 16> TabOrder();

// The picture lies lowest, the labels above it, every other control on top.
[[nodiscard]] constexpr int StackLayer(ControlKind kind) {
  return kind == ControlKind::Picture ? 0 : kind == ControlKind::Label ? 1 : 2;
}

// The one place twips become pixels: at 96 dots per inch, 15 twips make a pixel.
[[nodiscard]] constexpr int TwipsToPixels(int twips, int dotsPerInch) {
  const long scaled = static_cast<long>(twips) * dotsPerInch;
  return static_cast<int>((scaled + kTwipsPerInch / 2) / kTwipsPerInch);
}

}  // namespace zarvex
