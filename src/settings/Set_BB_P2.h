#pragma once

#include "settings/BulletinOptionsPage.h"
#include "settings/FontColourDialog.h"

#include <QWidget>

// Page "How to show winning numbers" of the bulletin-board options: the title, how many numbers
// a line holds and how they scroll, and how a winning number and its additional information
// share a line. At least one of the two is always shown.
class Set_BB_P2 : public BulletinOptionsPage {
    Q_OBJECT
public:
    Set_BB_P2(LotteryNotify* notify, Prompter& prompter, QWidget* parent = nullptr);

    // Every field of the page into the working copy; false, with the prompt shown and nothing
    // written, when an edit does not hold a number or the information width lies outside 0..100.
    bool Save();

    void OnShowTitle();
    void OnShowInfo();
    void OnShowNumbers();
    void OnTitleFont();
    void OnNumbersFont();

    QLineEdit* TitleEdit() const { return m_pTitle; }
    QCheckBox* ShowTitleCheck() const { return m_pShowTitle; }
    QLineEdit* PerLineEdit() const { return m_pPerLine; }
    QLineEdit* LineSpaceEdit() const { return m_pLineSpace; }
    QCheckBox* ShowNumbersCheck() const { return m_pShowNumbers; }
    QCheckBox* ShowInfoCheck() const { return m_pShowInfo; }
    QLineEdit* InfoWidthEdit() const { return m_pInfoWidth; }
    QButtonGroup* InfoAlignGroup() const { return m_pInfoAlign; }

    FontColourDialog::Chooser m_chooseFont = &FontColourDialog::Choose;

private:
    void BuildControls();
    QWidget* BuildTitleGroup();
    QWidget* BuildNumbersGroup();
    void WriteControls();
    void EnableWidthControls(bool enable);
    void ChooseFont(LogFont& font, quint32& colour);

    QLineEdit* m_pTitle = nullptr;
    QCheckBox* m_pShowTitle = nullptr;
    QCheckBox* m_pScroll = nullptr;
    QPushButton* m_pTitleFont = nullptr;
    QLineEdit* m_pPerLine = nullptr;
    QLineEdit* m_pLineSpace = nullptr;
    QLineEdit* m_pScrollSpeed = nullptr;
    QCheckBox* m_pFillZero = nullptr;
    QCheckBox* m_pShowNumbers = nullptr;
    QCheckBox* m_pShowInfo = nullptr;
    QCheckBox* m_pInfoFirst = nullptr;
    QLabel* m_pWidthLabel = nullptr;
    QLineEdit* m_pInfoWidth = nullptr;
    QLabel* m_pPercent = nullptr;
    QButtonGroup* m_pNumbersAlign = nullptr;
    QButtonGroup* m_pInfoAlign = nullptr;
    QPushButton* m_pNumbersFont = nullptr;
};
