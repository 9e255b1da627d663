// The guide window's help file.
#include "FuzzSupport.h"
#include "settings/GuideEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParseGuideEntries(FuzzSupport::Bytes(data, size));
    return 0;
}
