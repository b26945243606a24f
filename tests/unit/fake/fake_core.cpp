#include "fake/fake.h"

#include <algorithm>

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
        if (std::count(names.begin(), names.end(), call.substr(0, call.find('('))))
            out.push_back(call);
    return out;
}

}  // namespace fake
