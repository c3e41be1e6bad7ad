// The key-assignment dialog as the main window runs it: which key it works on, and the choice
// it hands back when it ends with OK.
#pragma once

#include <cstdint>
#include <optional>

#include "config/assignment_compiler.h"

namespace tarsel {

struct KeyAssignmentRequest {
  uint8_t keyIndex = 0;  // 0..107, the key clicked on the keyboard picture
  uint8_t keyCode = 0;   // the key's default key code
  uint8_t usage = 0;     // that key code's HID usage
};

class KeyAssignmentDialog {
 public:
  virtual ~KeyAssignmentDialog() = default;
  // Runs the dialog modally; the assignment when it ended with OK, nullopt otherwise.
  virtual std::optional<PendingAssignment> Run(const KeyAssignmentRequest& request) = 0;
};

}  // namespace tarsel
