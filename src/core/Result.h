// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>

// How the core reports a failure: a Result holds either a value or the error that kept it from being made, and
// converts to true exactly when it holds the value. The error is a text the user may be shown, or a Message where
// the text goes into a box with a title.

// The entry a message is about, so that a front end can take the user to it.
enum class Entry { None, Articles, AdTitle, CtaText, CtaUrl, Keywords, FinalList, SinglePdfName };

struct Message {
    QString title;
    QString text;
    // Shown with the warning icon rather than the information icon.
    bool warning = false;
    Entry entry = Entry::None;
};

// The program that shows the core's messages, so that they name its own entries and commands: the window's fields
// and Create button, or the command line's options and the command run again.
enum class FrontEnd { Window, CommandLine };

// A failure on its way into any Result of that error type: return Error{text};
template <class E = QString> struct Error {
    E error;
};
template <class E> Error(E) -> Error<E>;
Error(const char*)->Error<QString>;

template <class T = void, class E = QString> class Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    {}
    Result(Error<E> failure)
        : m_error(std::move(failure.error))
    {}
    static Result failure(E error) { return Error<E>{std::move(error)}; }

    explicit operator bool() const { return m_value.has_value(); }
    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const E& error() const { return m_error; }

private:
    std::optional<T> m_value;
    E m_error;
};

template <class E> class Result<void, E>
{
public:
    Result(Error<E> failure)
        : m_ok(false)
        , m_error(std::move(failure.error))
    {}
    static Result ok() { return Result(); }
    static Result failure(E error) { return Error<E>{std::move(error)}; }

    explicit operator bool() const { return m_ok; }
    const E& error() const { return m_error; }

private:
    Result() = default;

    bool m_ok = true;
    E m_error;
};
