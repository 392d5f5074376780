// Shared helpers of the configuration tests: a fixture that starts every test
// from the zero-filled globals, and byte-level access to the record image.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "config/Config.h"

class ConfigGlobale : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_GLOBAL_CONFIG();
        RESET_GLOBAL_SETUP();
    }
    void TearDown() override {
        RESET_GLOBAL_CONFIG();
        RESET_GLOBAL_SETUP();
    }
};

inline const uint8_t* OctetsConfig() {
    return reinterpret_cast<const uint8_t*>(&Config);
}

template <typename T> T LireA(const void* image, size_t offset) {
    T v;
    std::memcpy(&v, static_cast<const uint8_t*>(image) + offset, sizeof v);
    return v;
}

template <typename T> void EcrireA(void* image, size_t offset, T v) {
    std::memcpy(static_cast<uint8_t*>(image) + offset, &v, sizeof v);
}

// Sets a channel's screen bounds through the packed record.
inline void PoserEcran(tReticEcran& r, int i, int haut, int bas) {
    r.HautEcran[i] = static_cast<uint8_t>(haut);
    r.BasEcran[i] = static_cast<uint8_t>(bas);
}
