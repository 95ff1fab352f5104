#pragma once

namespace palitra {

// The options chosen for a game; 0 until the options dialog is first confirmed.
struct GameOptions {
    int roundSeconds = 0;
    int targetPoints = 0;
    int level = 0;
};

} // namespace palitra
