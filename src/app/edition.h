#pragma once

// Which program is running: the full game (kestrava2) or the wind edition
// (kestrava1). Chosen by each program's entry point; the shared windows and
// handlers switch on it only where the editions differ.
enum class Edition {
    Full,
    Wind,
};
