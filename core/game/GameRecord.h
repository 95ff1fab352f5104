#pragma once

#include <QDate>
#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace palitra {

// How a game ended: decided either way, or reset by "Nuevo" or by closing
// the program while it was in progress.
enum class Outcome { Won, Lost, Abandoned };

// The record of one level.
struct LevelRecord {
    int won = 0;
    int lost = 0;
    int abandoned = 0;
    int rounds = 0;
    qint64 points = 0;    // the player's points over all rounds
    int bestPoints = 0;   // the most in one round
    std::string bestWord; // Windows-1252; empty while there is none
    QDate bestWordDate;
    // The share of the board's words the player found: the sum over the
    // rounds whose board held words (shareRounds of them) of found / held,
    // and the round with the largest share (bestHeld 0 while there is none).
    double shareSum = 0;
    int shareRounds = 0;
    int bestFound = 0;
    int bestHeld = 0;

    int played() const { return won + lost + abandoned; }
    // Points per round; 0 without rounds.
    double averagePoints() const;
    // Shares between 0 and 1; 0 without a round that held words.
    double averageShare() const;
    double bestShare() const;
    int bestWordPoints() const;

    QJsonObject toJson() const;
    // Nothing when a field is missing, of the wrong type, negative or out of
    // keeping with the others.
    static std::optional<LevelRecord> fromJson(const QJsonObject& json);

    bool operator==(const LevelRecord&) const = default;
};

// The player's record of games at each level (0 Fácil, 1 Normal, 2 Difícil),
// kept in a small JSON file in a folder of the user's. A file that cannot be
// read as a record never stops the game: it is set aside under another name
// and a new record started.
class GameRecord {
public:
    static constexpr int LevelCount = 3;
    static const QString FileName;

    enum class Loaded {
        Read,     // the record on file
        New,      // no file yet: an empty record
        SetAside, // the file was damaged: set aside (see setAsidePath), an empty record
    };

    // Reads the record from `folder`; `today` dates the name a damaged file is
    // set aside under.
    Loaded load(const QString& folder, const QDate& today = QDate::currentDate());
    // Where the damaged file went; empty when it could not be moved (a save
    // then writes over it).
    const QString& setAsidePath() const { return setAsidePath_; }
    // Writes the record atomically to the folder of load(), creating it.
    bool save() const;
    QString path() const;

    // Level 0..2; another level reads as an empty record and records nothing.
    const LevelRecord& level(int level) const;

    // A round scored: the player's points and words, and how many of the
    // board's words (wordsHeld) the player found.
    void recordRound(int level, int playerPoints, const std::vector<std::string>& playerWords, int wordsFound,
                     int wordsHeld, const QDate& date);
    void recordGameEnd(int level, Outcome outcome);
    // Empties every level.
    void clear();

private:
    LevelRecord* levelAt(int level);

    QString folder_;
    QString setAsidePath_;
    std::array<LevelRecord, LevelCount> levels_{};
};

} // namespace palitra
