// Helpers for the engine's unit tests: contexts over a text, and an
// independent bit-string builder to state expected codewords.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "context.h"
#include "status.h"

namespace tavoqr {

// Readable statuses and results in assertion messages.
inline const char* StatusName(Status status)
{
    switch (status) {
    case Status::kOk: return "kOk";
    case Status::kDataTooLong: return "kDataTooLong";
    case Status::kBadArgument: return "kBadArgument";
    case Status::kOutOfMemory: return "kOutOfMemory";
    case Status::kLookupFailed: return "kLookupFailed";
    case Status::kSplitImpossible: return "kSplitImpossible";
    case Status::kBadText: return "kBadText";
    }
    return "?";
}
inline void PrintTo(Status status, std::ostream* os) { *os << "Status::" << StatusName(status); }
template <typename T>
void PrintTo(const Result<T>& result, std::ostream* os)
{
    if (result.Ok()) {
        *os << result.value;
    } else {
        PrintTo(result.status, os);
    }
}

}  // namespace tavoqr

namespace tavoqr::test {

// A context that owns a copy of its text (the context points into it), with
// the request (version, level).
struct TestContext : QrEncodeContext {
    std::unique_ptr<std::string> owned;
};

inline TestContext ContextFor(const std::string& text, int32_t version = 0, int32_t level = 0)
{
    TestContext ctx;
    ctx.owned = std::make_unique<std::string>(text);
    ctx.text = reinterpret_cast<const uint8_t*>(ctx.owned->c_str());
    ctx.textLength = static_cast<int32_t>(ctx.owned->size());
    ctx.request.version = version;
    ctx.request.level = level;
    return ctx;
}

// Expected bit streams written as values of given widths, MSB first.
class Bits {
public:
    Bits& Put(uint32_t value, int width)
    {
        for (int i = width - 1; i >= 0; --i)
            bits_.push_back(((value >> i) & 1U) != 0);
        return *this;
    }
    size_t size() const { return bits_.size(); }
    // The bits as codewords, the last one padded with zeros.
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out((bits_.size() + 7) / 8, 0);
        for (size_t i = 0; i < bits_.size(); ++i)
            if (bits_[i])
                out[i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
        return out;
    }

private:
    std::vector<bool> bits_;
};

// Fills `codewords` up to `count` with the 0xEC / 0x11 pad codewords.
inline std::vector<uint8_t> Padded(std::vector<uint8_t> codewords, size_t count)
{
    for (bool ec = true; codewords.size() < count; ec = !ec)
        codewords.push_back(ec ? 0xEC : 0x11);
    return codewords;
}

// Modes of the context's segments with their character counts, e.g. "4:3 1:20".
inline std::string SegmentShape(const QrEncodeContext& ctx)
{
    std::string shape;
    for (const QrSegment& s : ctx.segments) {
        if (!shape.empty())
            shape += ' ';
        shape += std::to_string(s.mode) + ":" + std::to_string(CharacterCount(s));
    }
    return shape;
}

}  // namespace tavoqr::test
