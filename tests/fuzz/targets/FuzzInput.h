// SPDX-License-Identifier: GPL-3.0-or-later
// One input of a fuzz target as bytes; a broken promise stops the run.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

inline void require(bool kept) { if (!kept) std::abort(); }

#define FUZZ_TARGET(bytes)                                                                     \
    static void fuzzOne(const QByteArray& bytes);                                              \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)          \
    { fuzzOne(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))); return 0; }   \
    static void fuzzOne(const QByteArray& bytes)
