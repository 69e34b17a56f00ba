#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A broken promise of the code under test: print what was expected and stop,
// so that libFuzzer keeps the input as a crash artifact.
[[noreturn]] inline void fuzzFailure(const char* what, std::string_view detail) {
    std::fprintf(stderr, "fuzz check failed: %s\n  %.*s\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                        \
    do {                                                     \
        if (!(condition)) fuzzFailure(#condition, (detail)); \
    } while (0)

// Printable form of fuzz input for the failure text.
inline std::string escaped(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
            out += buffer;
        }
    }
    return out;
}
