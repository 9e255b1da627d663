#include "media/ProgramIcon.h"

#include <QPixmap>
#include <gtest/gtest.h>

namespace {

constexpr int kSides[] = {16, 24, 32, 48, 64, 128, 256};

// The icon is painted ahead on a thread: each size a window asks for must still be the very
// picture drawn for it, whichever copy of the icon is asked and in whatever order.
TEST(ProgramIconTest, EverySizeIsTheDrawnPicture) {
    const QIcon icon = ProgramIcon::Icon();
    const QIcon copy = icon; // NOLINT(performance-unnecessary-copy-initialization): a shared copy
    ASSERT_FALSE(icon.isNull());
    QList<QSize> expected;
    for (int side : kSides)
        expected.append(QSize(side, side));
    EXPECT_EQ(icon.availableSizes(), expected);
    for (int side : kSides) {
        const QImage want = ProgramIcon::Draw(side).convertToFormat(QImage::Format_ARGB32);
        for (const QIcon* which : {&copy, &icon}) {
            const QImage got =
                which->pixmap(QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(got, want) << side;
        }
    }
}

} // namespace
