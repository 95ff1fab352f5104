#pragma once

#include "core/board/Board.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace palitra {

class Dictionary;
class Random;

// The computer's depth-first walk over the board, one direction per step.
// It holds the whole position of the walk between steps, so that a timer can
// pace it; it knows nothing of windows.
class ComputerWalk {
public:
    struct Found {
        std::string word;      // the letters of the path
        std::vector<int> path; // its cells, first letter first
    };

    // Starts a round's walk on `board`: every cell unused, a start cell drawn
    // at random, direction 1.
    void start(const Board& board, Random& random);

    // Tries exactly one direction from the end of the current path, backing
    // up and choosing a new start cell as needed within the same step.
    // Returns the word found by this step, if any (each word once per round).
    // Does nothing once done().
    std::optional<Found> step(const Dictionary& dictionary, Random& random);

    // Every cell has served as a start cell and the last one is exhausted.
    bool done() const { return done_; }

private:
    // Tries the tile `next` at the end of the path; true when the move is accepted.
    bool tryCell(int next, const Dictionary& dictionary, std::optional<Found>& found);
    // Next direction, backing up as many levels as are exhausted.
    void advanceDirection(Random& random);
    void backUp();
    void startAt(int cell);
    void startNextCell(Random& random);

    Board board_{};
    std::string word_;      // the letters of the path
    std::vector<int> path_; // the cells walked from the start cell
    int direction_ = 1;     // the next direction to try from the path's last cell, 1..DirectionCount
    std::array<bool, CellCount> startUsed_{};
    int startCount_ = 0;
    std::array<bool, CellCount> inPath_{};
    bool done_ = false;
    // An ordered set: a hash set would rehash all the round's words within
    // a single step as it grows.
    std::set<std::string, std::less<>> listed_;
};

} // namespace palitra
