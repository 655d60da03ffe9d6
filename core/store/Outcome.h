// How a core call says that it failed: what failed (a file, a profile, a
// step of the work) and why, in words a person can act on. It is the one
// convention of the core's public calls; a window turns a failure into a
// message box, the command line into "program: what: why" and exit status 1.
//
//   Status s = document.exportChart(path, ...);
//   if (!s) complain(s.failure());
//
//   Result<ChartDocument> r = ChartDocument::fromProfile(...);
//   if (!r) return fail(r.failure());
//   use(*r);
#pragma once

#include <string>
#include <utility>
#include <variant>

struct Failure {
    std::string what; // the thing that failed: usually a file name, else a short phrase
    std::string why;  // the reason: the system's words where there are some

    // "what: why", or the one that is there when the other is empty.
    std::string text() const {
        if (what.empty())
            return why;
        return why.empty() ? what : what + ": " + why;
    }
};

// Success, or a Failure.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure f) : failed_(true), failure_(std::move(f)) {}
    static Status failed(std::string what, std::string why) {
        return Failure{std::move(what), std::move(why)};
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return failure_; }

private:
    bool failed_ = false;
    Failure failure_;
};

// A value, or a Failure.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : held_(std::move(value)) {}
    Result(Failure f) : held_(std::move(f)) {}
    Result(const Status& s) : held_(s.failure()) {} // only for a failed status

    bool ok() const { return held_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return std::get<1>(held_); }
    Status status() const { return ok() ? Status() : Status(failure()); }

    T& value() { return std::get<0>(held_); }
    const T& value() const { return std::get<0>(held_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    std::variant<T, Failure> held_;
};
