#include "core/dictionary/WordListFile.h"

#include "core/dictionary/Dictionary.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <bit>
#include <cstdint>

#if defined(__SSE2__) && defined(__x86_64__)
#define PALITRA_SSE2 1
#include <emmintrin.h>
#endif

namespace palitra {

namespace {

// Room for the words a player adds during a run, so that the list read at
// start-up is not moved in memory when one is inserted.
constexpr std::size_t SpareEntries = 64;

constexpr std::size_t WriteChunk = 64 * 1024;

constexpr std::size_t Lane = 16;  // bytes per SSE2 comparison
constexpr std::size_t Block = 64; // bytes per bit mask of field ends

struct BlockBits {
    std::uint64_t commas = 0;
    std::uint64_t crs = 0;
    std::uint64_t lfs = 0;
};

// Bit i tells what p[i] is, for the `count` (at most 64) bytes at p.
inline BlockBits blockBits(const char* p, std::size_t count)
{
    BlockBits bits;
#if defined(PALITRA_SSE2)
    if (count == Block) {
        for (std::size_t lane = 0; lane < Block; lane += Lane) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + lane));
            const auto matches = [chunk, lane](char c) {
                const auto mask =
                    static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(c))));
                return std::uint64_t(mask) << lane;
            };
            bits.commas |= matches(',');
            bits.crs |= matches('\r');
            bits.lfs |= matches('\n');
        }
        return bits;
    }
#endif
    for (std::size_t i = 0; i < count; ++i) {
        bits.commas |= std::uint64_t(p[i] == ',') << i;
        bits.crs |= std::uint64_t(p[i] == '\r') << i;
        bits.lfs |= std::uint64_t(p[i] == '\n') << i;
    }
    return bits;
}

bool isFieldEnd(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

// The number of fields that a comma or a line end closes: commas, LFs and CRs,
// less the CRs of CR LF pairs.
std::size_t countFieldEnds(std::string_view bytes)
{
    std::size_t count = 0;
    std::size_t i = 0;
#if defined(PALITRA_SSE2)
    // Byte counters per lane, emptied into `count` before they can overflow.
    const auto sumLanes = [](__m128i counters) {
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        return static_cast<std::size_t>(_mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    };
    while (i + Lane + 1 <= bytes.size()) {
        __m128i ends = _mm_setzero_si128();
        __m128i pairs = _mm_setzero_si128();
        for (int round = 0; round < 255 && i + Lane + 1 <= bytes.size(); ++round, i += Lane) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i + 1));
            const __m128i crs = _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\r'));
            const __m128i isEnd = _mm_or_si128(
                crs,
                _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(',')), _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\n'))));
            ends = _mm_sub_epi8(ends, isEnd);
            pairs = _mm_sub_epi8(pairs, _mm_and_si128(crs, _mm_cmpeq_epi8(next, _mm_set1_epi8('\n'))));
        }
        count += sumLanes(ends) - sumLanes(pairs);
    }
#endif
    for (; i < bytes.size(); ++i) {
        const bool crOfCrLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        count += isFieldEnd(bytes[i]) && !crOfCrLf;
    }
    return count;
}

// Calls onEnds(base, bits) for each block of 64 bytes of `bytes`, where
// bit i of `bits` marks the end of a field at base + i: a comma, an LF, or a
// CR that no LF follows (the CR of a CR LF belongs to the LF's line end).
// The word list is megabytes of short lines; a byte-by-byte scan would be
// most of the loading time.
template <typename OnEnds>
void forEachBlockOfFieldEnds(std::string_view bytes, OnEnds onEnds)
{
    const std::size_t size = bytes.size();
    for (std::size_t base = 0; base < size; base += Block) {
        const std::size_t count = std::min(Block, size - base);
        const BlockBits bits = blockBits(bytes.data() + base, count);
        const std::uint64_t nextIsLf = count == Block && base + Block < size && bytes[base + Block] == '\n';
        const std::uint64_t crsBeforeLf = bits.crs & ((bits.lfs >> 1) | (nextIsLf << (Block - 1)));
        const std::uint64_t ends = (bits.commas | bits.lfs | bits.crs) & ~crsBeforeLf;
        if (ends != 0)
            onEnds(base, ends);
    }
}

bool isBlankEntry(const std::string& entry)
{
    return std::all_of(entry.begin(), entry.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool writeAll(QIODevice& device, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const qint64 written = device.write(bytes.data() + done, static_cast<qint64>(bytes.size() - done));
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

WordListFile::ReadResult readFailure(FileProblem::Kind kind, const QString& path, const QString& reason = {})
{
    WordListFile::ReadResult result;
    result.problem = FileProblem{kind, path, reason};
    return result;
}

} // namespace

std::vector<std::string> WordListFile::parse(std::string_view bytes)
{
    const bool lastLineUnended = !bytes.empty() && !isFieldEnd(bytes.back());
    std::vector<std::string> entries;
    entries.reserve(countFieldEnds(bytes) + (lastLineUnended ? 1 : 0) + SpareEntries);
    std::size_t fieldStart = 0;
    forEachBlockOfFieldEnds(bytes, [&](std::size_t base, std::uint64_t ends) {
        do {
            const std::size_t i = base + static_cast<std::size_t>(std::countr_zero(ends));
            const bool crLf = bytes[i] == '\n' && i > fieldStart && bytes[i - 1] == '\r';
            entries.emplace_back(bytes.substr(fieldStart, i - fieldStart - (crLf ? 1 : 0)));
            fieldStart = i + 1;
            ends &= ends - 1;
        } while (ends != 0);
    });
    if (lastLineUnended)
        entries.emplace_back(bytes.substr(fieldStart));
    return entries;
}

WordListFile::ReadResult WordListFile::read(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return readFailure(FileProblem::Kind::Missing, path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(FileProblem::Kind::Unreadable, path, file.errorString());

    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readFailure(FileProblem::Kind::Unreadable, path, file.errorString());
    if (bytes.isEmpty())
        return readFailure(FileProblem::Kind::Empty, path);

    ReadResult result;
    result.entries = parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return result;
}

bool WordListFile::writeTo(QIODevice& device, const Dictionary& dictionary)
{
    std::string chunk;
    chunk.reserve(WriteChunk + 256);
    for (const std::string& entry : dictionary.entries()) {
        if (isBlankEntry(entry))
            continue;
        chunk += entry;
        chunk += "\r\n";
        if (chunk.size() >= WriteChunk) {
            if (!writeAll(device, chunk))
                return false;
            chunk.clear();
        }
    }
    return writeAll(device, chunk);
}

std::optional<FileProblem> WordListFile::write(const QString& path, const Dictionary& dictionary)
{
    return writeAtomically(path, [&dictionary](QIODevice& device) { return writeTo(device, dictionary); });
}

std::optional<FileProblem> WordListFile::writeAtomically(const QString& path,
                                                         const std::function<bool(QIODevice&)>& writeContent)
{
    const auto fail = [&](const QString& reason) { return FileProblem{FileProblem::Kind::NotSaved, path, reason}; };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!writeContent(file)) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return std::nullopt;
}

} // namespace palitra
