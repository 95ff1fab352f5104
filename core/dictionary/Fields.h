#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__) && defined(__x86_64__)
#define PALITRA_SSE2 1
#include <emmintrin.h>
#endif

namespace palitra {

// The fields of a word-list file: a field ends at a comma or a line end (CR
// LF, a bare LF or a bare CR), and the line end goes with the field it ends;
// an empty line is an empty field; a last line without a line end is a field
// all the same, and the line end after the last line opens none.
inline bool isFieldEnd(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

namespace fields {

constexpr std::size_t Lane = 16;  // bytes per SSE2 comparison
constexpr std::size_t Block = 64; // bytes per bit mask of field ends

// Bit i set when p[i] is `c`, for the `count` (at most 64) bytes at p.
struct BlockBits {
    std::uint64_t commas = 0;
    std::uint64_t crs = 0;
    std::uint64_t lfs = 0;
};

inline BlockBits blockBits(const char* p, std::size_t count)
{
    BlockBits bits;
#if defined(PALITRA_SSE2)
    if (count == Block) {
        for (std::size_t lane = 0; lane < Block; lane += Lane) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + lane));
            const auto matches = [chunk, lane](char c) {
                const auto mask = std::uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(c))));
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

} // namespace fields

// Calls onEnds(base, ends, crLfs) for each block of 64 bytes of `bytes` that
// holds a field end, where bit i of `ends` marks a field end at base + i,
// and bit i of `crLfs` an LF there that ends a CR LF.
template <typename OnEnds>
void forEachBlockOfFieldEnds(std::string_view bytes, OnEnds onEnds)
{
    using namespace fields;
    const std::size_t size = bytes.size();
    std::uint64_t carriedCr = 0; // the block before ended in a CR
    for (std::size_t base = 0; base < size; base += Block) {
        const std::size_t count = std::min(Block, size - base);
        const BlockBits bits = blockBits(bytes.data() + base, count);
        const std::uint64_t nextIsLf = count == Block && base + Block < size && bytes[base + Block] == '\n';
        const std::uint64_t crsBeforeLf = bits.crs & ((bits.lfs >> 1) | (nextIsLf << (Block - 1)));
        const std::uint64_t crLfs = bits.lfs & ((bits.crs << 1) | carriedCr);
        carriedCr = bits.crs >> (Block - 1);
        if (const std::uint64_t ends = (bits.commas | bits.lfs | bits.crs) & ~crsBeforeLf)
            onEnds(base, ends, crLfs);
    }
}

// Calls onField(start, length) for each field of `bytes`, in order.
template <typename OnField>
void forEachField(std::string_view bytes, OnField onField)
{
    std::size_t start = 0;
    forEachBlockOfFieldEnds(bytes, [&](std::size_t base, std::uint64_t ends, std::uint64_t crLfs) {
        for (; ends != 0; ends &= ends - 1) {
            const int bit = std::countr_zero(ends);
            const std::size_t end = base + std::size_t(bit);
            onField(start, end - start - std::size_t((crLfs >> bit) & 1));
            start = end + 1;
        }
    });
    if (!bytes.empty() && !isFieldEnd(bytes.back()))
        onField(start, bytes.size() - start);
}

} // namespace palitra
