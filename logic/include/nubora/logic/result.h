// How a call below the screens fails. Every function of the logic and of
// nubora-qr that can fail returns a Result: the value, or a named failure
// that carries what the message about it needs (which field, which limit,
// which file). Never an empty string, a magic number, or a bool beside an
// out-parameter for the same job.
#pragma once

#include <cassert>
#include <optional>
#include <utility>
#include <variant>

namespace nubora {

// The failure half of a Result, so that a function reads
// `return Fail(FileStatus::InUse);` beside `return content;`.
template <typename E>
struct Failure {
    E error;
};

// Wraps `error` as the failure of a Result.
template <typename E>
constexpr Failure<E> Fail(E error)
{
    return Failure<E>{std::move(error)};
}

// Either a value of T or a failure E, never both, never neither.
template <typename T, typename E>
class [[nodiscard]] Result {
public:
    // Success with `value`.
    constexpr Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    // Failure with `failure.error`.
    constexpr Result(Failure<E> failure) : state_(std::in_place_index<1>, std::move(failure.error)) {}

    // True when the call succeeded and Value() may be read.
    constexpr bool Ok() const noexcept { return state_.index() == 0; }
    constexpr explicit operator bool() const noexcept { return Ok(); }

    // The value; only after Ok().
    constexpr T& Value() &
    {
        assert(Ok());
        return std::get<0>(state_);
    }
    constexpr const T& Value() const&
    {
        assert(Ok());
        return std::get<0>(state_);
    }
    constexpr T&& Value() &&
    {
        assert(Ok());
        return std::get<0>(std::move(state_));
    }
    constexpr T* operator->() { return &Value(); }
    constexpr const T* operator->() const { return &Value(); }
    constexpr T& operator*() & { return Value(); }
    constexpr const T& operator*() const& { return Value(); }

    // The failure; only when !Ok().
    constexpr const E& Error() const
    {
        assert(!Ok());
        return std::get<1>(state_);
    }

private:
    std::variant<T, E> state_;
};

// A call that gives nothing back but can fail: `return {};` on success.
template <typename E>
class [[nodiscard]] Result<void, E> {
public:
    // Success.
    constexpr Result() noexcept = default;
    // Failure with `failure.error`.
    constexpr Result(Failure<E> failure) : failure_(std::move(failure.error)) {}

    constexpr bool Ok() const noexcept { return !failure_.has_value(); }
    constexpr explicit operator bool() const noexcept { return Ok(); }

    // The failure; only when !Ok().
    constexpr const E& Error() const
    {
        assert(!Ok());
        return *failure_;
    }

private:
    std::optional<E> failure_;
};

}  // namespace nubora
