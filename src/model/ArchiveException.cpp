#include "model/ArchiveException.h"

const char* ArchiveException::what() const noexcept {
    switch (m_kind) {
    case EndOfFile:
        return "unexpected end of file";
    case BadIndex:
        return "bad object index";
    case BadClass:
        return "bad class";
    case BadSchema:
        return "bad schema";
    case WriteError:
        return "write error";
    case ReadError:
        return "read error";
    }
    return "archive error";
}
