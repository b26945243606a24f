#include "fake/fake.h"

#include <cstring>

namespace fake {

namespace {
std::vector<std::function<void()>>& Hooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}
}  // namespace

ResetHook::ResetHook(std::function<void()> reset) { Hooks().push_back(std::move(reset)); }

void ResetAll() {
    calls.clear();
    for (const auto& reset : Hooks()) reset();
}

std::vector<std::string> CallsNamed(std::initializer_list<const char*> names) {
    std::vector<std::string> out;
    for (const auto& call : calls)
        for (const char* name : names)
            if (call.compare(0, std::strlen(name), name) == 0 && call[std::strlen(name)] == '(') {
                out.push_back(call);
                break;
            }
    return out;
}

}  // namespace fake
