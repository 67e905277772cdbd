#pragma once

#include <span>

// One entry of the built-in (Russian) text table, UTF-8.
struct BuiltInText {
    const char* key;
    const char* text;
};

// The whole table in its fixed order. Some keys occur twice; the first wins.
std::span<const BuiltInText> BuiltInTextTable();
