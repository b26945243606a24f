#include "fake/fake_common.h"

namespace fake {
CommonState common;
namespace {
ResetHook hook([] { common = CommonState{}; });
}
}  // namespace fake

namespace plat {
using fake::common;
using fake::Record;

std::int32_t PostMessageA(Hwnd window, std::uint32_t message, WParam wParam, LParam lParam) {
    Record("PostMessageA", window, message, wParam, lParam);
    return 1;
}

std::int32_t MessageBoxA(Hwnd owner, const char* text, const char* caption, std::uint32_t type) {
    Record("MessageBoxA", owner, text, caption, type);
    ++common.messageBoxCount;
    if (common.messageBoxAnswers.empty()) return 1;
    std::int32_t answer = common.messageBoxAnswers.front();
    common.messageBoxAnswers.pop_front();
    return answer;
}

std::int32_t ShowWindow(Hwnd window, std::uint32_t command) {
    Record("ShowWindow", window, command);
    return 0;
}

}  // namespace plat
