#pragma once

#include "settings/BulletinOptionsPage.h"
#include "settings/ColourSwatch.h"

#include <QString>
#include <QWidget>

// Page "Shape" of the bulletin-board options: the shape picture whose outline cuts the board,
// and the board's face: a picture (found beside the shape picture when it is chosen
// automatically) and the colour around it.
class Set_BB_P1 : public BulletinOptionsPage {
    Q_OBJECT
public:
    Set_BB_P1(LotteryNotify* notify, Prompter& prompter, QWidget* parent = nullptr);

    // Picture paths, display mode and the automatic flag into the working copy (the colour is
    // stored there as soon as it is chosen).
    void ReadControls();

    // The face picture chosen automatically for a shape picture: the shape picture's name with
    // the extension ".jpg" when that file exists, else ".jpeg" when that exists, else ".bmp".
    static QString AutoBackPicture(const QString& skin);
    // A stored picture path as the page shows it: a bare file name is a file of the program
    // folder.
    static QString ShownPath(const QString& stored);

    static QString SkinFilter();
    static QString PictureFilter();

    QLineEdit* SkinEdit() const { return m_pSkin; }
    QLineEdit* PictureEdit() const { return m_pBackPic; }
    QCheckBox* AutoCheck() const { return m_pAuto; }
    QPushButton* PictureBrowse() const { return m_pPicBrowse; }
    ColourSwatch* Swatch() const { return m_pSwatch; }
    QButtonGroup* DisplayGroup() const { return m_pDisplay; }

    void OnBrowseSkin();
    void OnBrowsePicture();
    void OnColour();
    // The automatic face picture: with the check on, the picture controls are disabled and the
    // picture follows the shape picture; with it off, they are the operator's.
    void OnAutoBackPic();

    ColourSwatch::Chooser m_chooseColour = &ColourSwatch::ChooseWithDialog;

private:
    void BuildControls();
    void WriteControls();
    void EnablePictureControls(bool enable);

    QLineEdit* m_pSkin = nullptr;
    QPushButton* m_pSkinBrowse = nullptr;
    QCheckBox* m_pAuto = nullptr;
    QLabel* m_pPicLabel = nullptr;
    QLineEdit* m_pBackPic = nullptr;
    QPushButton* m_pPicBrowse = nullptr;
    QLabel* m_pDisplayLabel = nullptr;
    QButtonGroup* m_pDisplay = nullptr;
    QLabel* m_pColourLabel = nullptr;
    ColourSwatch* m_pSwatch = nullptr;
};
