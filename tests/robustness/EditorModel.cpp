#include "EditorModel.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "ReferenceScriptBlock.h"
#include "ReferenceSettingNumber.h"

namespace zarvex::testing {

namespace {

constexpr std::array<Control, 3> kGovernedBoxes = {Control::Text1, Control::Text2, Control::Text3};

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

char32_t CharacterAt(const std::u16string& text, std::size_t& index) {
  const char16_t unit = text[index++];
  if (IsHighSurrogate(unit) && index < text.size()) {
    const char16_t low = text[index++];
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00u);
  }
  return unit;
}

}  // namespace

EditorModel::EditorModel(std::array<std::vector<std::string>, 3> lists)
    : lists_(std::move(lists)) {}

ModelChanges EditorModel::ChangeTick(std::size_t box, bool ticked) {
  if (ended_ || ticks_.at(box) == ticked) {
    return {};
  }
  ticks_[box] = ticked;
  if (box >= kGovernedBoxes.size()) {
    return {};
  }
  boxEnabled_[box] = ticked;
  boxTexts_[box] = ticked ? "1" : "0";
  return {{kGovernedBoxes[box]}, {}};
}

ModelChanges EditorModel::ChangeBoxText(std::size_t box, std::string text) {
  if (ended_ || !boxEnabled_.at(box)) {
    return {};
  }
  // What the user brought in lies between the part kept at the start and the part kept at the
  // end; from its first line break on, it is dropped.
  const std::string& old = boxTexts_[box];
  std::size_t start = 0;
  while (start < old.size() && start < text.size() && old[start] == text[start]) {
    ++start;
  }
  std::size_t end = 0;
  while (end < old.size() - start && end < text.size() - start &&
         old[old.size() - 1 - end] == text[text.size() - 1 - end]) {
    ++end;
  }
  const std::size_t lineBreak = text.find_first_of("\r\n", start);
  if (lineBreak < text.size() - end) {
    text.erase(lineBreak, text.size() - end - lineBreak);
  }
  boxTexts_[box] = std::move(text);
  return {};
}

ModelChanges EditorModel::Choose(std::size_t list, std::size_t position) {
  if (!ended_ && position < lists_.at(list).size()) {
    chosen_[list] = position;
  }
  return {};
}

ModelChanges EditorModel::ReplaceScript(std::u16string text) {
  if (!ended_) {
    script_ = std::move(text);
  }
  return {};
}

ModelChanges EditorModel::EditScript(std::size_t position, std::size_t removed,
                                     const std::u16string& inserted) {
  if (ended_) {
    return {};
  }
  const std::size_t from = IndexOfPosition(position);
  const std::size_t to = IndexOfPosition(position + removed);
  script_.replace(from, to - from, inserted);
  return {};
}

ModelChanges EditorModel::AddBlock() {
  if (ended_) {
    return {};
  }
  std::array<int, 4> numbers{};
  for (std::size_t box = 0; box < numbers.size(); ++box) {
    const std::optional<int> number = ReferenceSettingNumber(boxTexts_[box]);
    if (!number) {
      messages_.emplace_back("Must be a number!");
      return {};
    }
    numbers[box] = *number;
  }
  ReferenceBlockFields fields;
  fields.keyword = Keyword();
  fields.track = chosen_[1] ? lists_[1][*chosen_[1]] : "";
  fields.car = chosen_[2] ? lists_[2][*chosen_[2]] : "";
  fields.ticks = ticks_;
  fields.wastedLimit = numbers[0];
  fields.timeLimit = numbers[1];
  fields.recoverDelay = numbers[2];
  fields.laps = numbers[3];
  const std::size_t oldBytes = ScriptUtf8().size();
  script_ += ModelUtf16(ReferenceBlockText(fields));
  return {{Control::Text6}, oldBytes};
}

ModelChanges EditorModel::Save() {
  if (ended_) {
    return {};
  }
  if (!folderExists_) {
    messages_.push_back("Could not save the script to " +
                        (std::filesystem::current_path() / "ASSETS/gamescript.txt").string() +
                        "\n" + std::generic_category().message(ENOENT));
    return {};
  }
  std::string bytes;
  for (std::size_t index = 0; index < script_.size();) {
    bytes += ModelFileByte(CharacterAt(script_, index));
  }
  fileBytes_ = bytes + "\r\n";
  return {};
}

ModelChanges EditorModel::Close() {
  ended_ = true;
  return {};
}

void EditorModel::SetFolderExists(bool exists) {
  folderExists_ = exists;
  if (!exists) {
    fileBytes_.reset();
  }
}

std::string EditorModel::Keyword() const {
  return chosen_[0] ? ReferenceKeyword(lists_[0][*chosen_[0]]) : "FREE_FOR_ALL";
}

std::string EditorModel::ScriptUtf8() const {
  return ModelUtf8(script_);
}

std::size_t EditorModel::PositionCount() const {
  std::size_t positions = 0;
  for (std::size_t index = 0; index < script_.size(); ++positions) {
    const bool lineBreakPair =
        script_[index] == u'\r' && index + 1 < script_.size() && script_[index + 1] == u'\n';
    index += lineBreakPair ? 2 : 1;
  }
  return positions;
}

std::size_t EditorModel::IndexOfPosition(std::size_t position) const {
  std::size_t index = 0;
  for (std::size_t walked = 0; walked < position && index < script_.size(); ++walked) {
    const bool lineBreakPair =
        script_[index] == u'\r' && index + 1 < script_.size() && script_[index + 1] == u'\n';
    index += lineBreakPair ? 2 : 1;
  }
  return index;
}

std::size_t EditorModel::PositionOfIndex(std::size_t index) const {
  std::size_t position = 0;
  for (std::size_t walked = 0; walked < index && walked < script_.size(); ++position) {
    const bool lineBreakPair =
        script_[walked] == u'\r' && walked + 1 < script_.size() && script_[walked + 1] == u'\n';
    walked += lineBreakPair ? 2 : 1;
  }
  return position;
}

std::string ModelUtf8(const std::u16string& text) {
  std::string bytes;
  for (std::size_t index = 0; index < text.size();) {
    const char32_t c = CharacterAt(text, index);
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (c < 0x80) {
      bytes += byte(c);
    } else if (c < 0x800) {
      bytes += byte(0xC0 | c >> 6);
      bytes += byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      bytes += byte(0xE0 | c >> 12);
      bytes += byte(0x80 | (c >> 6 & 0x3F));
      bytes += byte(0x80 | (c & 0x3F));
    } else {
      bytes += byte(0xF0 | c >> 18);
      bytes += byte(0x80 | (c >> 12 & 0x3F));
      bytes += byte(0x80 | (c >> 6 & 0x3F));
      bytes += byte(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

std::u16string ModelUtf16(const std::string& text) {
  std::u16string units;
  for (std::size_t index = 0; index < text.size();) {
    const auto lead = static_cast<unsigned char>(text[index]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : static_cast<char32_t>(lead & (0x7Fu >> length));
    for (std::size_t i = 1; i < length; ++i) {
      c = c << 6 | (static_cast<unsigned char>(text[index + i]) & 0x3Fu);
    }
    index += length;
    if (c >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(c);
    }
  }
  return units;
}

char ModelFileByte(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<char>(character);
  }
  // The few characters of the code page's 0x80 row that the test types; the five bytes the code
  // page leaves undefined stand for the control characters of the same number.
  switch (character) {
    case U'\u20AC':
      return '\x80';
    case U'\u0081':
      return '\x81';
    case U'\u0152':
      return '\x8C';
    case U'\u201C':
      return '\x93';
    case U'\u2122':
      return '\x99';
    default:
      return '?';
  }
}

}  // namespace zarvex::testing
