// The message of the VeldrinError an action throws, or "" when it throws none.
#pragma once

#include "common/VeldrinError.h"

#include <QString>

#include <functional>

namespace veldrin::test {

inline QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const VeldrinError& error) {
        return error.message();
    }
    return {};
}

} // namespace veldrin::test
