// The one shape of "a value, or why not" of the model folders.
//
// An error is a kind, which callers and tests tell failures apart by, and the
// message shown to the user (already in the user's language). A Result holds
// either the value or the error; a Status is a Result without a value. No
// exceptions are thrown.
//
//     outcome::Result<QByteArray, outcome::FileError> r = regularfile::Read(path, limit);
//     if (!r) return log(r.error().message);
//     use(r.value());
//
// A function returns an error as `return outcome::Error{Kind::X, message};`
// and a value as `return value;` (a Status: `return {};`).
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <type_traits>
#include <utility>

namespace outcome {

// Why a file could not be read or written, shared by every reader and writer.
enum class FileError {
    Missing,    // no such file
    NotRegular, // a FIFO, device, socket or folder (or a link to one)
    TooLarge,   // more bytes than the reader's limit
    Unreadable, // exists but cannot be opened or read (permissions, I/O)
    Unwritable, // cannot be written or put in place
    BadContent, // read, but not what the file should hold
};

template <class Kind> struct Error {
    Kind kind{};
    QString message; // for the user, in the user's language
};
template <class Kind> Error(Kind, QString) -> Error<Kind>;

template <class T, class Kind> class [[nodiscard]] Result {
public:
    using value_type = T;
    using kind_type = Kind;

    Result(T value) : m_value(std::move(value)) {}
    Result(Error<Kind> error) : m_error(std::move(error)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T& value() const& { return Q_ASSERT(ok()), *m_value; }
    T& value() & { return Q_ASSERT(ok()), *m_value; }
    T&& value() && { return Q_ASSERT(ok()), std::move(*m_value); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    // The value, or `fallback` on an error.
    T value_or(T fallback) const& { return m_value ? *m_value : std::move(fallback); }

    // Only when !ok().
    const Error<Kind>& error() const { return m_error; }

private:
    std::optional<T> m_value;
    Error<Kind> m_error;
};

// A Result without a value: success, or an error.
template <class Kind> class [[nodiscard]] Result<void, Kind> {
public:
    using value_type = void;
    using kind_type = Kind;

    Result() = default;
    Result(Error<Kind> error) : m_failed(true), m_error(std::move(error)) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    // Only when !ok().
    const Error<Kind>& error() const { return m_error; }

private:
    bool m_failed = false;
    Error<Kind> m_error;
};

template <class Kind> using Status = Result<void, Kind>;

} // namespace outcome
