#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

// A BMP, JPEG or PNG picture, loaded from a file and drawn into an area in one of the display
// modes (tile, centre, stretch) on a background colour.
//
// The file is read whole and closed at once, so the operator can replace or delete it while the
// show runs. Asking again for the picture that is already loaded does not read the file again.
class CPicture {
public:
    CPicture() = default;
    virtual ~CPicture() = default;

    // 1 when the picture is loaded (or already was, from the same path), 0 on failure. A failed
    // load is tried again the next time, so a path that failed never counts as loaded.
    int Load(const QString& file);

    // The picture's size in pixels; 100 x 100 when nothing is loaded.
    QSize GetSize() const;

    // Draws into (0, 0, width, height) of the painter in display mode `mode` (0 tile, 1 centre,
    // 2 stretch) over `colour` (a Windows colour 0x00BBGGRR). Returns 0 when no picture is loaded
    // (the area is then filled with the colour), else 1.
    //
    // Scaled pictures are smoothed, which suits backgrounds on a projector. A skin that is to be
    // traced into an outline is drawn with `smooth` off, so that its edge pixels stay as sharp as
    // the other build draws them.
    int Render(QPainter& painter, int width, int height, int mode, quint32 colour,
               bool smooth = true) const;

    bool IsLoaded() const { return !m_image.isNull(); }
    const QImage& Image() const { return m_image; }

    // The path of the last load request.
    QString m_strFile;

private:
    static QImage Decode(const QString& file);

    QImage m_image;
};
