// Waiting in a test for what another thread does: the condition is polled
// every millisecond, for at most 20 seconds.
#pragma once

#include <chrono>
#include <thread>

template <typename F> bool ATTENDRE_QUE(F&& condition) {
    for (int i = 0; i < 20000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}
