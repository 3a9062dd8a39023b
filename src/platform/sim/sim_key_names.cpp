#include "platform/sim/sim_key_names.h"

#include <string>
#include <utility>

namespace tessary {

SimKeyNames::SimKeyNames() {
  for (char c = 'A'; c <= 'Z'; ++c) names_[static_cast<std::uint32_t>(c)] = std::string(1, c);
  for (char c = '0'; c <= '9'; ++c) {
    names_[static_cast<std::uint32_t>(c)] = std::string(1, c);
    names_[0x60u + static_cast<std::uint32_t>(c - '0')] = std::string("Num ") + c;
  }
  for (std::uint32_t f = 1; f <= 24; ++f) names_[0x6Fu + f] = "F" + std::to_string(f);
  const std::pair<std::uint32_t, const char*> named[] = {
      {0x08, "Backspace"}, {0x09, "Tab"},   {0x0D, "Enter"},     {0x10, "Shift"},
      {0x11, "Ctrl"},      {0x12, "Alt"},   {0x13, "Pause"},     {0x14, "Caps Lock"},
      {0x1B, "Esc"},       {0x20, "Space"}, {0x21, "Page Up"},   {0x22, "Page Down"},
      {0x23, "End"},       {0x24, "Home"},  {0x25, "Left"},      {0x26, "Up"},
      {0x27, "Right"},     {0x28, "Down"},  {0x2C, "Prnt Scrn"}, {0x2D, "Insert"},
      {0x2E, "Delete"},    {0x6A, "Num *"}, {0x6B, "Num +"},     {0x6D, "Num -"},
      {0x6E, "Num Del"},   {0x6F, "Num /"}, {0x90, "Num Lock"},  {0x91, "Scroll Lock"},
      {0xBA, ";"},         {0xBB, "="},     {0xBC, ","},         {0xBD, "-"},
      {0xBE, "."},         {0xBF, "/"},     {0xC0, "`"},         {0xDB, "["},
      {0xDC, "\\"},        {0xDD, "]"},     {0xDE, "'"},
  };
  for (const auto& [key, name] : named) names_[key] = name;
}

std::string SimKeyNames::KeyName(std::uint32_t virtualKey) const {
  auto found = names_.find(virtualKey);
  return found == names_.end() ? std::string() : found->second;
}

void SimKeyNames::SetName(std::uint32_t virtualKey, std::string name) {
  if (name.empty()) {
    names_.erase(virtualKey);
  } else {
    names_[virtualKey] = std::move(name);
  }
}

}  // namespace tessary
