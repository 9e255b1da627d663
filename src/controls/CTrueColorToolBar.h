#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QToolBar>

#include <array>
#include <functional>

// A tool bar whose buttons show full-colour 40-pixel images, with their own pictures for the
// normal, the hot (mouse over) and the disabled look.
//
// The owner adds the buttons as actions (separators allowed), then calls LoadImageLists. Image k
// of each list goes to the k-th action that is neither a separator nor a widget, counted over
// all such actions, hidden ones included; actions added later get their images too. Images come
// from the program's bitmaps (ToolBarBitmaps): each is cut into 40-pixel-wide images (columns
// left over at the right are ignored) as high as the bitmap, and the bitmap's first pixel
// colour, its lower-left pixel as stored, is transparent.
class CTrueColorToolBar : public QToolBar {
    Q_OBJECT

public:
    enum class ImageList { Normal, Hot, Disabled };

    static constexpr int kImageWidth = 40;
    // The bitmaps of the normal and hot looks, and of the disabled look.
    static constexpr int kNormalBitmap = 146;
    static constexpr int kDisabledBitmap = 148;

    // Gives the bitmap of an id, or a null image when there is none.
    using BitmapSource = std::function<QImage(int bitmapId)>;

    explicit CTrueColorToolBar(QWidget* parent = nullptr);

    // Sets the normal, then the hot, then the disabled list; stops at the first failure.
    bool LoadImageLists();
    // Builds one image list from one bitmap and gives it to the tool bar.
    bool SetImageListFromBitmap(ImageList which, int bitmapId);

    bool HasImageList(ImageList which) const { return m_bHasList[Index(which)]; }
    const QList<QPixmap>& GetImageList(ImageList which) const { return m_lists[Index(which)]; }

    // The program's bitmaps unless set otherwise.
    void SetBitmapSource(BitmapSource source) { m_source = std::move(source); }

    // The image list of a bitmap: empty for a null bitmap or one narrower than one image.
    static QList<QPixmap> MakeImageList(const QImage& bitmap);
    static QRgb TransparentColor(const QImage& bitmap);

protected:
    void actionEvent(QActionEvent* event) override;

private:
    static int Index(ImageList which) { return int(which); }
    void ApplyImages();

    BitmapSource m_source;
    std::array<QList<QPixmap>, 3> m_lists;
    std::array<bool, 3> m_bHasList{false, false, false};
    bool m_bApplying = false;
};
