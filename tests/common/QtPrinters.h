#pragma once

// Included first in every test file (tests/CMakeLists.txt): gtest would print a QString as a list
// of 2-byte objects, which makes a failing comparison of two paths unreadable.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
