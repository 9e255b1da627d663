// A symbol, banner or background movie file, and every cell of it, decoded as a show asks for
// them: each at its own size, backwards, and enlarged.
#include "FuzzSupport.h"
#include "media/StripMovieFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NeedGui();
    const MovieLoadResult loaded = StripMovieFile::Read(
        FuzzSupport::WriteFile(QStringLiteral("in.swf"), FuzzSupport::Bytes(data, size)));
    if (!loaded.Ok())
        return 0;
    const StripMovie& movie = *loaded.movie;
    const QSize cell = movie.NaturalSize();
    // Pictures a forged header makes huge are refused before this; what is left is kept quick.
    if (qint64(cell.width()) * cell.height() * movie.CellCount() > (qint64(1) << 22))
        return 0;
    for (int i = movie.CellCount() - 1; i >= 0; --i)
        movie.Cell(i);
    QImage out(cell.width() + 3, cell.height() * 2, QImage::Format_ARGB32_Premultiplied);
    if (!out.isNull())
        movie.DecodeScaled(movie.CellCount() - 1, out);
    return 0;
}
