// How an engine step ends. Every internal function that can fail says so with
// a Status (or a Result carrying one); only the C boundary, api.cpp, knows the
// public TAVOQRENC_* codes and turns a Status into one, in one place.
#pragma once

#include <cstdint>

namespace tavoqr {

enum class Status {
    kOk,               // done; the function's outputs are set
    kDataTooLong,      // no version allowed by the request holds the data at its level
    kBadArgument,      // a null pointer, count, version, level, mode or mask out of range
    kOutOfMemory,      // an allocation failed
    kLookupFailed,     // a byte without a value in the mode of its segment
    kSplitImpossible,  // the text cannot be divided among the structured-append symbols
    kBadText,          // a text given as UTF-8 is not well-formed UTF-8 or holds a zero byte
};

// A value (a bit count, a width, a capacity) or the Status of why there is
// none. On failure `value` is T{} and means nothing.
template <typename T>
struct Result {
    Status status;
    T value;

    // Implicit both ways, so that a function returns `bits` or
    // `Status::kDataTooLong` alike.
    // Success with `v`.
    constexpr Result(T v) noexcept : status(Status::kOk), value(v) {}
    // Failure: `failure` must not be Status::kOk.
    constexpr Result(Status failure) noexcept : status(failure), value{} {}

    constexpr bool Ok() const noexcept { return status == Status::kOk; }
    friend constexpr bool operator==(const Result&, const Result&) = default;
};

}  // namespace tavoqr
