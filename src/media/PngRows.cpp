#include "media/PngRows.h"

#include <QColor>

#include <algorithm>
#include <csetjmp>

PngRows::~PngRows() {
    if (m_read)
        png_destroy_read_struct(&m_read, &m_info, nullptr);
}

void PngRows::OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void PngRows::OnRead(png_structp png, png_bytep data, size_t length) {
    auto* self = static_cast<PngRows*>(png_get_io_ptr(png));
    QFile& file = self->m_file;
    if (!file.isOpen()) {
        file.setFileName(self->m_path);
        if (!file.open(QIODevice::ReadOnly) || file.size() != self->m_size ||
            file.fileTime(QFileDevice::FileModificationTime) != self->m_modified ||
            !file.seek(self->m_offset))
            png_error(png, "changed");
    }
    if (file.read(reinterpret_cast<char*>(data), qint64(length)) != qint64(length))
        png_error(png, "cut short");
    self->m_offset += qint64(length);
}

bool PngRows::Open(QSize expected) {
    if (Q_BYTE_ORDER != Q_LITTLE_ENDIAN || m_read)
        return false;
    m_read = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!m_read)
        return false;
    m_info = png_create_info_struct(m_read);
    if (!m_info)
        return false;
    // NOLINTNEXTLINE(cert-err52-cpp): libpng reports its errors only by a long jump
    if (setjmp(png_jmpbuf(m_read)))
        return false;
    png_set_read_fn(m_read, this, OnRead);
    png_read_info(m_read, m_info);
    constexpr png_uint_32 kManaged =
        PNG_INFO_tRNS | PNG_INFO_gAMA | PNG_INFO_cHRM | PNG_INFO_iCCP | PNG_INFO_sRGB;
    const int type = png_get_color_type(m_read, m_info);
    if ((type != PNG_COLOR_TYPE_RGB && type != PNG_COLOR_TYPE_RGB_ALPHA) ||
        png_get_bit_depth(m_read, m_info) != 8 ||
        png_get_interlace_type(m_read, m_info) != PNG_INTERLACE_NONE ||
        png_get_valid(m_read, m_info, kManaged) != 0 ||
        png_get_image_width(m_read, m_info) != static_cast<png_uint_32>(expected.width()) ||
        png_get_image_height(m_read, m_info) != static_cast<png_uint_32>(expected.height()))
        return false;
    m_alpha = type == PNG_COLOR_TYPE_RGB_ALPHA;
    m_width = expected.width();
    png_set_bgr(m_read);
    if (!m_alpha)
        png_set_filler(m_read, 0xff, PNG_FILLER_AFTER);
    png_read_update_info(m_read, m_info);
    return png_get_rowbytes(m_read, m_info) == static_cast<size_t>(m_width) * 4;
}

bool PngRows::Read(uchar* bits, qsizetype bytesPerLine, int count) {
    if (!bits && m_skipped.size() < qsizetype(m_width) * 4)
        m_skipped.resize(qsizetype(m_width) * 4);
    // NOLINTNEXTLINE(cert-err52-cpp): libpng reports its errors only by a long jump
    if (setjmp(png_jmpbuf(m_read)))
        return false;
    for (int i = 0; i < count; ++i) {
        auto* line =
            bits ? bits + qsizetype(i) * bytesPerLine : reinterpret_cast<uchar*>(m_skipped.data());
        png_read_row(m_read, line, nullptr);
        ++m_row;
        if (m_alpha && bits) {
            auto* pixels = reinterpret_cast<QRgb*>(line);
            std::transform(pixels, pixels + m_width, pixels,
                           [](QRgb p) { return qPremultiply(p); });
        }
    }
    return true;
}
