#pragma once

#include <exception>

// Why a settings file could not be read (or written). Any of them stops the load at that point.
class ArchiveException : public std::exception {
public:
    // ReadError: the file could not be read (not the same as damaged).
    enum Kind { EndOfFile, BadIndex, BadClass, BadSchema, WriteError, ReadError };

    explicit ArchiveException(Kind kind) : m_kind(kind) {}
    Kind kind() const { return m_kind; }
    const char* what() const noexcept override;

private:
    Kind m_kind;
};
