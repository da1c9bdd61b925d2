#pragma once
// Every saved-state field of the game record by its name, for the state dump
// of scripted runs. Handles (window, instance) are not state and are left out.
#include <span>
#include <string_view>

#include "core/game_state.h"

namespace game {

struct FieldVisitor {
  virtual ~FieldVisitor() = default;
  virtual void Int(std::string_view name, std::int32_t value) = 0;
  virtual void Float(std::string_view name, float value) = 0;
  virtual void IntArray(std::string_view name, std::span<const std::int32_t> values) = 0;
  virtual void FloatArray(std::string_view name, std::span<const float> values) = 0;
};

void VisitFields(const GameState& state, FieldVisitor& visitor);

}  // namespace game
