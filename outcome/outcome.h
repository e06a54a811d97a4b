#pragma once

#include <QString>

#include <type_traits>
#include <utility>
#include <variant>

// What an operation that the user asked for gives back when it can fail: its value, or the failure with
// the message to show the user (in Russian), or the user's cancelling it on the way (a question, a dialog,
// «Отмена»), which is no failure and has no message. The caller shows a failure (a message box, or one
// line on standard error and exit code 1) and lets a cancel pass in silence. Outcome<> has no value.

// A failure with its message for the user.
struct Failure
{
    QString message;
};

// The user chose not to go on.
struct Cancelled
{
};

// Why an outcome has no value, to be handed on as the outcome of another operation.
using Setback = std::variant<Failure, Cancelled>;

template <class T = void>
class [[nodiscard]] Outcome
{
    using Value = std::conditional_t<std::is_void_v<T>, std::monostate, T>;
    using State = std::variant<Value, Failure, Cancelled>;

public:
    Outcome() requires std::is_void_v<T> {}
    Outcome(Value value) requires(!std::is_void_v<T>) : state_(std::in_place_index<0>, std::move(value)) {}
    Outcome(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}
    Outcome(Cancelled) : state_(std::in_place_index<2>) {}
    Outcome(Setback setback)
        : state_(std::visit([](auto why) { return State(std::in_place_type<decltype(why)>, std::move(why)); },
                            std::move(setback)))
    {}

    bool Done() const { return state_.index() == 0; }
    bool Failed() const { return state_.index() == 1; }
    bool IsCancelled() const { return state_.index() == 2; }
    explicit operator bool() const { return Done(); }

    // The failure's message; empty when there was no failure.
    QString Message() const { return Failed() ? std::get<1>(state_).message : QString(); }

    // Only of an outcome that is not done.
    Setback Why() const { return Failed() ? Setback(std::get<1>(state_)) : Setback(Cancelled{}); }

    // Only of one that is done.
    Value &operator*() { return std::get<0>(state_); }
    const Value &operator*() const { return std::get<0>(state_); }
    Value *operator->() { return &std::get<0>(state_); }
    const Value *operator->() const { return &std::get<0>(state_); }

private:
    State state_;
};
