// tumo.ini as a person may have edited it: looked up and rewritten.
#include "FuzzSupport.h"
#include "show/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content = FuzzSupport::Bytes(data, size);
    IniFile::FindValue(content, "Tumo", "Monitor");
    IniFile::WithValue(content, "Tumo", "Monitor", "2");
    return 0;
}
