#include "core/game/GameRecord.h"

#include "core/game/Scoring.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace palitra {

const QString GameRecord::FileName = QStringLiteral("Estadisticas.json");

namespace {

constexpr int Version = 1;
// A record is a few hundred bytes: anything much larger is not one.
constexpr qint64 LargestFile = 64 * 1024;

// A whole number from 0 to `most`, or nothing.
std::optional<qint64> count(const QJsonObject& json, const char* key, qint64 most)
{
    const QJsonValue value = json.value(QLatin1String(key));
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > static_cast<double>(most) || std::floor(number) != number)
        return std::nullopt;
    return static_cast<qint64>(number);
}

QString latin(const std::string& letters)
{
    return QString::fromLatin1(letters.data(), static_cast<qsizetype>(letters.size()));
}

} // namespace

double LevelRecord::averagePoints() const
{
    return rounds > 0 ? static_cast<double>(points) / rounds : 0.0;
}

double LevelRecord::averageShare() const
{
    return shareRounds > 0 ? shareSum / shareRounds : 0.0;
}

double LevelRecord::bestShare() const
{
    return bestHeld > 0 ? static_cast<double>(bestFound) / bestHeld : 0.0;
}

int LevelRecord::bestWordPoints() const
{
    return bestWord.empty() ? 0 : wordPoints(bestWord.size());
}

QJsonObject LevelRecord::toJson() const
{
    return QJsonObject{
        {"won", won},
        {"lost", lost},
        {"abandoned", abandoned},
        {"rounds", rounds},
        {"points", points},
        {"bestPoints", bestPoints},
        {"bestWord", latin(bestWord)},
        {"bestWordDate", bestWordDate.toString(Qt::ISODate)},
        {"shareSum", shareSum},
        {"shareRounds", shareRounds},
        {"bestFound", bestFound},
        {"bestHeld", bestHeld},
    };
}

std::optional<LevelRecord> LevelRecord::fromJson(const QJsonObject& json)
{
    constexpr qint64 MostInt = std::numeric_limits<int>::max();
    constexpr qint64 MostPoints = qint64(1) << 53; // the largest whole number a JSON number keeps exactly
    LevelRecord record;
    for (auto [key, field] : {std::pair{"won", &record.won},
                              {"lost", &record.lost},
                              {"abandoned", &record.abandoned},
                              {"rounds", &record.rounds},
                              {"bestPoints", &record.bestPoints},
                              {"shareRounds", &record.shareRounds},
                              {"bestFound", &record.bestFound},
                              {"bestHeld", &record.bestHeld}}) {
        const std::optional<qint64> value = count(json, key, MostInt);
        if (!value)
            return std::nullopt;
        *field = static_cast<int>(*value);
    }
    const std::optional<qint64> points = count(json, "points", MostPoints);
    const QJsonValue shareSum = json.value(QLatin1String("shareSum"));
    const QJsonValue word = json.value(QLatin1String("bestWord"));
    const QJsonValue date = json.value(QLatin1String("bestWordDate"));
    if (!points || !shareSum.isDouble() || !word.isString() || !date.isString())
        return std::nullopt;
    record.points = *points;
    record.shareSum = shareSum.toDouble();
    const QString letters = word.toString();
    record.bestWord = letters.toLatin1().toStdString();
    record.bestWordDate = QDate::fromString(date.toString(), Qt::ISODate);

    const bool consistent = record.shareRounds <= record.rounds && record.bestPoints <= record.points
        && (record.rounds > 0 || record.points == 0) && record.shareSum >= 0 && record.shareSum <= record.shareRounds
        && record.bestFound <= record.bestHeld && (record.shareRounds > 0) == (record.bestHeld > 0)
        && QString::fromLatin1(record.bestWord.c_str()) == letters
        && (record.bestWord.empty() ? date.toString().isEmpty() : record.bestWordDate.isValid());
    return consistent ? std::optional(record) : std::nullopt;
}

GameRecord::Loaded GameRecord::load(const QString& folder, const QDate& today)
{
    folder_ = folder;
    setAsidePath_.clear();
    clear();
    const QString file = path();
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return Loaded::New;

    std::optional<std::array<LevelRecord, LevelCount>> read;
    QFile input(file);
    if (info.isFile() && info.size() <= LargestFile && input.open(QIODevice::ReadOnly)) {
        const QJsonDocument document = QJsonDocument::fromJson(input.readAll());
        const QJsonArray levels = document.object().value(QLatin1String("levels")).toArray();
        if (document.object().value(QLatin1String("version")).toInt() == Version && levels.size() == LevelCount) {
            read.emplace();
            for (int level = 0; level < LevelCount && read; ++level) {
                const std::optional<LevelRecord> record =
                    levels[level].isObject() ? LevelRecord::fromJson(levels[level].toObject()) : std::nullopt;
                if (record)
                    (*read)[level] = *record;
                else
                    read.reset();
            }
        }
    }
    if (read) {
        levels_ = *read;
        return Loaded::Read;
    }

    const QString stem = file + QStringLiteral(".dañado-") + today.toString(Qt::ISODate);
    QString aside = stem;
    for (int copy = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++copy)
        aside = stem + QLatin1Char('-') + QString::number(copy);
    if (QDir().rename(file, aside))
        setAsidePath_ = aside;
    return Loaded::SetAside;
}

QString GameRecord::path() const
{
    return folder_.isEmpty() ? QString() : QDir(folder_).filePath(FileName);
}

bool GameRecord::save() const
{
    if (folder_.isEmpty() || !QDir().mkpath(folder_))
        return false;
    QJsonArray levels;
    for (const LevelRecord& record : levels_)
        levels.append(record.toJson());
    QSaveFile file(path());
    const QByteArray bytes = QJsonDocument(QJsonObject{{"version", Version}, {"levels", levels}}).toJson();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

const LevelRecord& GameRecord::level(int level) const
{
    static const LevelRecord Empty;
    return level >= 0 && level < LevelCount ? levels_[level] : Empty;
}

LevelRecord* GameRecord::levelAt(int level)
{
    return level >= 0 && level < LevelCount ? &levels_[level] : nullptr;
}

void GameRecord::recordRound(int level, int playerPoints, const std::vector<std::string>& playerWords, int wordsFound,
                             int wordsHeld, const QDate& date)
{
    LevelRecord* record = levelAt(level);
    if (!record)
        return;
    playerPoints = std::max(playerPoints, 0);
    record->bestPoints = record->rounds == 0 ? playerPoints : std::max(record->bestPoints, playerPoints);
    ++record->rounds;
    record->points += playerPoints;

    // The longest word, which scores the most; of words as long, the first keeps its place.
    for (const std::string& word : playerWords) {
        if (word.size() > record->bestWord.size()) {
            record->bestWord = word;
            record->bestWordDate = date;
        }
    }

    if (wordsHeld > 0) {
        const int found = std::clamp(wordsFound, 0, wordsHeld);
        record->shareSum += static_cast<double>(found) / wordsHeld;
        ++record->shareRounds;
        // found / held above bestFound / bestHeld, without dividing.
        if (record->bestHeld == 0 || qint64(found) * record->bestHeld > qint64(record->bestFound) * wordsHeld) {
            record->bestFound = found;
            record->bestHeld = wordsHeld;
        }
    }
}

void GameRecord::recordGameEnd(int level, Outcome outcome)
{
    LevelRecord* record = levelAt(level);
    if (!record)
        return;
    switch (outcome) {
    case Outcome::Won: ++record->won; break;
    case Outcome::Lost: ++record->lost; break;
    case Outcome::Abandoned: ++record->abandoned; break;
    }
}

void GameRecord::clear()
{
    levels_.fill(LevelRecord{});
}

} // namespace palitra
