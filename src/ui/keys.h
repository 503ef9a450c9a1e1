#pragma once

namespace ui {

// The keys a person plays with. Enter stands for both Return and the keypad's
// Enter; C centres the view.
enum class Key { Left, Right, Up, Down, Space, Enter, F1, C };

} // namespace ui
