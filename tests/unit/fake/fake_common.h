// Scripted state for the calls several subsystems share: posted messages,
// message boxes and ShowWindow.
#pragma once

#include <deque>

#include "fake/fake.h"

namespace fake {

struct CommonState {
    std::deque<std::int32_t> messageBoxAnswers;  // answers in order; 1 (IDOK) when empty
    std::int32_t messageBoxCount = 0;
};
extern CommonState common;

}  // namespace fake
