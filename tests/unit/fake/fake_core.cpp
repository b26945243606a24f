#include "fake/fake.h"

#include <cstring>

namespace fake {

namespace {
std::vector<void (*)()>& Hooks() {
    static std::vector<void (*)()> hooks;
    return hooks;
}
}  // namespace

ResetHook::ResetHook(void (*reset)()) { Hooks().push_back(reset); }

void ResetAll() {
    calls.clear();
    for (auto reset : Hooks()) reset();
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
