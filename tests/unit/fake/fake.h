// The recording fake of the platform: every call is logged in order with its
// arguments as one line of text, and answers come from scripted state.
//
// Each area of the platform (src/platform/<area>.h) has its fake in
// fake_<area>.cpp, and the scripted state of that area in fake_<area>.h
// beside this file; ResetAll() puts every area back to its initial state.
// The fake imitates the system, never the program: what the program's own
// resources or records hold is for the tests to script.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/types.h"

namespace fake {

// ------------------------------------------------------------ the call log
inline std::vector<std::string> calls;

// A sequence of logged calls, or of any texts a test compares with one.
using Texts = std::vector<std::string>;

inline void AppendArg(std::ostringstream& out, const std::string& text) { out << '"' << text << '"'; }
inline void AppendArg(std::ostringstream& out, std::nullptr_t) { out << "NULL"; }
// Texts in quotes, other pointers as addresses.
template <typename T>
void AppendArg(std::ostringstream& out, T* pointer) {
    if (!pointer)
        out << "NULL";
    else if constexpr (std::is_same_v<std::remove_const_t<T>, char>)
        out << '"' << pointer << '"';
    else
        out << "@" << std::hex << reinterpret_cast<std::uintptr_t>(pointer) << std::dec;
}
template <typename T>
    requires std::is_integral_v<T>
void AppendArg(std::ostringstream& out, T value) {
    if constexpr (sizeof(T) == 1)
        out << static_cast<int>(value);  // bools and bytes as numbers, not characters
    else
        out << value;
}

// The text a call with these arguments is logged as; tests build their
// expected sequences with the same function.
template <typename... Args>
std::string Call(const char* name, const Args&... args) {
    std::ostringstream out;
    out << name << '(';
    bool first = true;
    ((out << (first ? "" : ", "), AppendArg(out, args), first = false), ...);
    out << ')';
    return out.str();
}

template <typename... Args>
void Record(const char* name, const Args&... args) {
    calls.push_back(Call(name, args...));
}

// Logs a call and gives back its answer: the whole of a fake that does
// nothing else.
template <typename T, typename... Args>
T Answer(T answer, const char* name, const Args&... args) {
    Record(name, args...);
    return answer;
}

// The calls to any of the named functions, in order.
std::vector<std::string> CallsNamed(std::initializer_list<const char*> names);

// The next of a call's scripted answers, taken from the front of the queue,
// or `otherwise` when the script has none left.
template <typename T, typename U>
T NextAnswer(std::deque<T>& answers, U otherwise) {
    if (answers.empty()) return static_cast<T>(otherwise);
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

// A distinct non-null handle value for tests and scripted answers.
inline void* Token(std::uintptr_t n) { return reinterpret_cast<void*>(0x10000 + n * 0x10); }

// ------------------------------------------------------------ reset hooks
struct ResetHook {
    explicit ResetHook(std::function<void()> reset);
};
void ResetAll();

// An area's scripted state, put back to how it starts by every ResetAll().
template <typename State>
struct Scripted : State {
    ResetHook reset{[this] { static_cast<State&>(*this) = State{}; }};
};

}  // namespace fake
