#include "script/EditorState.h"

#include <stdexcept>
#include <string>

namespace zarvex {

namespace {

[[noreturn]] void ThrowWrongKind(Control control, const char* wanted) {
  throw std::invalid_argument(std::string(NameOf(control)) + " is not " + wanted);
}

// One lookup serves the const and the mutable accessors.
template <class State>
auto& TickOf(State& state, Control box) {
  switch (box) {
    case Control::Check1:
      return state.Check1;
    case Control::Check2:
      return state.Check2;
    case Control::Check3:
      return state.Check3;
    case Control::Check4:
      return state.Check4;
    case Control::Check5:
      return state.Check5;
    case Control::Check6:
      return state.Check6;
    default:
      ThrowWrongKind(box, "an option box");
  }
}

template <class State>
auto& BoxOf(State& state, Control box) {
  switch (box) {
    case Control::Text1:
      return state.Text1;
    case Control::Text2:
      return state.Text2;
    case Control::Text3:
      return state.Text3;
    case Control::Text5:
      return state.Text5;
    default:
      ThrowWrongKind(box, "a value box");
  }
}

template <class State>
auto& ListOf(State& state, Control list) {
  switch (list) {
    case Control::Combo1:
      return state.Combo1;
    case Control::Combo2:
      return state.Combo2;
    case Control::Combo3:
      return state.Combo3;
    default:
      ThrowWrongKind(list, "a list");
  }
}

}  // namespace

std::string_view ChoiceList::Text() const {
  if (!chosen || *chosen >= entries.size()) {
    return {};
  }
  return entries[*chosen];
}

bool& EditorState::Tick(Control box) {
  return TickOf(*this, box);
}
bool EditorState::Tick(Control box) const {
  return TickOf(*this, box);
}
ValueBox& EditorState::Box(Control box) {
  return BoxOf(*this, box);
}
const ValueBox& EditorState::Box(Control box) const {
  return BoxOf(*this, box);
}
ChoiceList& EditorState::List(Control list) {
  return ListOf(*this, list);
}
const ChoiceList& EditorState::List(Control list) const {
  return ListOf(*this, list);
}

}  // namespace zarvex
