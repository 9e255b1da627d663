// A symbol, banner or background movie file.
#include "FuzzSupport.h"
#include "media/StripMovieFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NeedGui();
    StripMovieFile::Read(
        FuzzSupport::WriteFile(QStringLiteral("in.swf"), FuzzSupport::Bytes(data, size)));
    return 0;
}
