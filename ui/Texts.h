#pragma once

#include "core/dictionary/FileProblem.h"
#include "core/game/Game.h"
#include "core/opponent/BoardWords.h"

#include <QString>

#include <string_view>
#include <vector>

// Every text the player reads about the game's state and results, in one
// place: the model answers in phases, results and problems, and the windows
// show them through these. The fixed captions of each window's controls stay
// with the window that draws them.
namespace palitra::texts {

// The main button's caption in each phase.
QString caption(Phase phase);
// The message area's text; empty for none.
QString notice(Notice notice);

// A word of the word list as the player reads it (Windows-1252).
QString word(std::string_view letters);
// A path of cells as two digits a cell, first cell first: cell 7 is "07".
QString pathText(const std::vector<int>& path);
// A computer word as its list shows it: struck-out words carry a marker.
QString computerEntry(const ComputerWord& found);
// Its entry in the validation window.
QString validationEntry(const ComputerWord& found);

QString unknownWordQuestion(std::string_view word);
QString strikeQuestion(std::string_view word);
QString startOverQuestion();
QString saveQuestion();
// After a failed save: quit all the same?
QString quitUnsavedQuestion();
QString timeUp();
QString winner(Winner winner);
QString noTargetChosen();

// What went wrong with the word-list file, naming it.
QString problem(const FileProblem& problem);
// Why a file of the player's was set aside, and how the game goes on.
QString setAside(const SetAside& file);

// Who found a word of the board, as the list of the board's words shows it.
QString foundBy(FoundBy who);
// The line above that list: the player's words and points of the board's.
QString boardWordsSummary(int wordsFound, int wordsHeld, int pointsFound, int pointsHeld);

// The record of games: a damaged file set aside (`asidePath` empty when it
// stayed where it was), the question before emptying it, a failed save.
QString recordSetAside(const QString& asidePath);
QString clearRecordQuestion();
QString recordNotSaved(const QString& path);

} // namespace palitra::texts
