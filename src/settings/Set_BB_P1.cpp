#include "settings/Set_BB_P1.h"

#include "base/AppPaths.h"
#include "model/LotteryNotify.h"
#include "model/Prompter.h"
#include "settings/DialogData.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

bool FileExists(const QString& path) {
    return QFileInfo(ResolveFileCase(path)).isFile();
}

// The path without the extension of its file name; the whole path when the name has none (a
// dot in a folder name is not an extension).
QString WithoutExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return dot > separator ? path.left(dot) : path;
}

} // namespace

Set_BB_P1::Set_BB_P1(LotteryNotify* notify, Prompter& prompter, QWidget* parent)
    : BulletinOptionsPage(notify, prompter, parent) {
    BuildControls();
    WriteControls();
    OnAutoBackPic();
}

void Set_BB_P1::BuildControls() {
    auto* shapeGroup = new QGroupBox(QStringLiteral("Bulletin board shape"), this);
    m_pSkin = new QLineEdit(shapeGroup);
    m_pSkinBrowse = new QPushButton(QStringLiteral("Browse"), shapeGroup);
    auto* shapeRow = new QHBoxLayout(shapeGroup);
    shapeRow->addWidget(new QLabel(QStringLiteral("The shape picture:"), shapeGroup));
    shapeRow->addWidget(m_pSkin, 1);
    shapeRow->addWidget(m_pSkinBrowse);

    auto* backGroup = new QGroupBox(QStringLiteral("Background picture"), this);
    m_pAuto = new QCheckBox(QStringLiteral("Auto background picture."), backGroup);
    m_pPicLabel = new QLabel(QStringLiteral("Picture file:"), backGroup);
    m_pBackPic = new QLineEdit(backGroup);
    m_pPicBrowse = new QPushButton(QStringLiteral("Browse"), backGroup);
    m_pDisplayLabel = new QLabel(QStringLiteral("Picture display:"), backGroup);
    m_pDisplay = new QButtonGroup(this);
    auto* displayRow = new QHBoxLayout;
    const QString modes[] = {QStringLiteral("Tile"), QStringLiteral("Center"),
                             QStringLiteral("Stretch")};
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(modes[mode], backGroup);
        m_pDisplay->addButton(radio, mode);
        displayRow->addWidget(radio);
    }
    displayRow->addStretch();
    m_pColourLabel = new QLabel(QStringLiteral("Background color:"), backGroup);
    m_pSwatch = new ColourSwatch(backGroup);

    auto* grid = new QGridLayout(backGroup);
    grid->addWidget(m_pAuto, 0, 0, 1, 3);
    grid->addWidget(m_pPicLabel, 1, 0);
    grid->addWidget(m_pBackPic, 1, 1);
    grid->addWidget(m_pPicBrowse, 1, 2);
    grid->addWidget(m_pDisplayLabel, 2, 0);
    grid->addLayout(displayRow, 2, 1, 1, 2);
    grid->addWidget(m_pColourLabel, 3, 0);
    grid->addWidget(m_pSwatch, 3, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shapeGroup);
    layout->addWidget(backGroup);
    layout->addStretch();

    connect(m_pSkinBrowse, &QPushButton::clicked, this, &Set_BB_P1::OnBrowseSkin);
    connect(m_pPicBrowse, &QPushButton::clicked, this, &Set_BB_P1::OnBrowsePicture);
    connect(m_pAuto, &QCheckBox::clicked, this, &Set_BB_P1::OnAutoBackPic);
    connect(m_pSwatch, &ColourSwatch::clicked, this, &Set_BB_P1::OnColour);
}

QString Set_BB_P1::ShownPath(const QString& stored) {
    if (stored.isEmpty() || HasPathSeparator(stored))
        return stored;
    return DialogData::InAppFolder(stored);
}

QString Set_BB_P1::AutoBackPicture(const QString& skin) {
    const QString base = WithoutExtension(skin);
    for (const char* extension : {".jpg", ".jpeg"}) {
        QString candidate = base + QLatin1String(extension);
        if (FileExists(candidate))
            return candidate;
    }
    return base + QStringLiteral(".bmp");
}

QString Set_BB_P1::SkinFilter() {
    return QStringLiteral("*.bmp(Recommended)|*.bmp|*.jpg,*.jpeg|*.jpg;*.jpeg|All image "
                          "files|*.bmp;*.jpg;*.jpeg|All Files|*.*|");
}

QString Set_BB_P1::PictureFilter() {
    return QStringLiteral(
        "All image files|*.bmp;*.jpg;*.jpeg|*.jpg,*.jpeg|*.jpg;*.jpeg|*.bmp|*.bmp|All Files|*.*|");
}

void Set_BB_P1::WriteControls() {
    m_pSkin->setText(ShownPath(m_pNotify->m_strSkin));
    m_pBackPic->setText(ShownPath(m_pNotify->m_strBackPic));
    if (QAbstractButton* b = m_pDisplay->button(m_pNotify->m_nPicDisplay))
        b->setChecked(true);
    m_pAuto->setChecked(m_pNotify->m_bAutoBackPic);
    m_pSwatch->SetColour(m_pNotify->m_clrBack);
}

void Set_BB_P1::ReadControls() {
    m_pNotify->m_strSkin = m_pSkin->text();
    m_pNotify->m_strBackPic = m_pBackPic->text();
    if (m_pDisplay->checkedId() >= 0)
        m_pNotify->m_nPicDisplay = m_pDisplay->checkedId();
    m_pNotify->m_bAutoBackPic = m_pAuto->isChecked();
}

void Set_BB_P1::EnablePictureControls(bool enable) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_pPicLabel, m_pBackPic, m_pPicBrowse,
                                                      m_pDisplayLabel, m_pColourLabel, m_pSwatch})
        w->setEnabled(enable);
    for (QAbstractButton* b : m_pDisplay->buttons())
        b->setEnabled(enable);
}

void Set_BB_P1::OnAutoBackPic() {
    const bool automatic = m_pAuto->isChecked();
    EnablePictureControls(!automatic);
    if (automatic)
        m_pBackPic->setText(AutoBackPicture(m_pSkin->text()));
}

void Set_BB_P1::OnBrowseSkin() {
    const QString chosen =
        m_prompter.ChooseOpenFile(QStringLiteral("Open"), DialogData::QtFileFilter(SkinFilter()),
                                  MakeAbsolutePath(m_pSkin->text()));
    if (chosen.isEmpty() || chosen == m_pSkin->text())
        return;
    m_pSkin->setText(chosen);
    // A new shape is traced anew and placed anew: the old outline and places no longer fit it.
    m_pNotify->m_shape.RemoveAllPoints();
    m_pNotify->m_shape.m_rect = WinRect();
    m_pNotify->m_rcBoard = WinRect();
    m_pNotify->m_rcNumbers = WinRect();
    if (m_pAuto->isChecked())
        m_pBackPic->setText(AutoBackPicture(chosen));
}

void Set_BB_P1::OnBrowsePicture() {
    const QString chosen =
        m_prompter.ChooseOpenFile(QStringLiteral("Open"), DialogData::QtFileFilter(PictureFilter()),
                                  MakeAbsolutePath(m_pBackPic->text()));
    if (!chosen.isEmpty())
        m_pBackPic->setText(chosen);
}

void Set_BB_P1::OnColour() {
    quint32 colour = m_pNotify->m_clrBack;
    if (!m_chooseColour || !m_chooseColour(colour, this) || colour == m_pNotify->m_clrBack)
        return;
    m_pNotify->m_clrBack = colour;
    m_pSwatch->SetColour(colour);
}
