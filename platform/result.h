// The outcome of an operation that can fail for reasons outside the program (a file that cannot
// be read, a drawing that does not parse, a library that does not load): either its value or a
// message for the user. Programming errors are not results; they are asserts.
//
//     Result<Drawing> read = ReadDrawing(path);
//     if (!read)
//         return Failure(read.error());
//     Use(*read);
//
// `Status` is the result of an operation that gives nothing back but may fail.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace qx {

// Why an operation failed, in words for the user (it names the file and, where it applies,
// the line or entity).
struct Failure {
    std::string message;
};

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & {
        assert(ok() && "value() of a failed result");
        return std::get<0>(state_);
    }
    const T& value() const& {
        assert(ok() && "value() of a failed result");
        return std::get<0>(state_);
    }
    T&& value() && {
        assert(ok() && "value() of a failed result");
        return std::get<0>(std::move(state_));
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // The message of a failed result; empty for a value.
    const std::string& error() const {
        static const std::string kNone;
        return ok() ? kNone : std::get<1>(state_).message;
    }

private:
    std::variant<T, Failure> state_;
};

struct Done {};

// An operation that gives nothing back: `Status{}` is success, `Failure{...}` is not.
class [[nodiscard]] Status : public Result<Done> {
public:
    Status() : Result<Done>(Done{}) {}
    Status(Failure failure) : Result<Done>(std::move(failure)) {}
};

} // namespace qx
