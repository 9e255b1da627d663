#pragma once

#include "settings/ColourSwatch.h"

#include <QDialog>

#include <memory>

class ColourSwatch;
class GradeInfo;
class MessageBoxPrompter;
class Prompter;
class QButtonGroup;
class QLineEdit;

// The background of a prize level, a modal dialog: a movie or a picture, how a picture is laid
// out, and the colour around it. It edits a working copy of the level made by the opener; OK
// leaves the edits in the copy for the opener to put back, Apply puts them on the screen at once
// and into the level being designed.
//
// The draw window's "Background picture options":
//     GradeInfo work = *designed, before = *designed;
//     Set_BG dlg(&work, designed, this);
//     connect(&dlg, &Set_BG::applyGrade, this,
//             [this](GradeInfo* g) { ApplyGrade(g, CurGrade()); });
//     if (dlg.exec() == QDialog::Accepted) { *designed = work; ApplyGrade(designed, &before); }
class Set_BG : public QDialog {
    Q_OBJECT
public:
    // `level` is the working copy edited; `designed` the live level that Apply overwrites (may be
    // null: Apply then only shows the edits). Without a prompter the dialog shows its own file
    // chooser.
    Set_BG(GradeInfo* level, GradeInfo* designed, QWidget* parent = nullptr,
           Prompter* prompter = nullptr);
    ~Set_BG() override;

    // Whether a background file is a movie: movies have no picture layout or surrounding colour.
    static bool IsMovieFile(const QString& file);
    static QString FileFilter();

    void OnBrowse();
    void OnColour();
    void OnApply();

    QLineEdit* FileEdit() const { return m_pFile; }
    QButtonGroup* DisplayGroup() const { return m_pDisplay; }
    ColourSwatch* Swatch() const { return m_pSwatch; }

    ColourSwatch::Chooser m_chooseColour = &ColourSwatch::ChooseWithDialog;

    QString m_strFile;
    int m_nDisplay = -1;

public Q_SLOTS:
    void accept() override;

Q_SIGNALS:
    // Put this level on the screen (CTumoDlg::ApplyGrade with the draw window's current level as
    // the previous one). Emitted by Apply, directly: the level is valid during the call only.
    void applyGrade(GradeInfo* level);

private:
    void BuildControls();
    void WriteControls();
    void ReadControls();
    void EnableForFile();
    void SaveToLevel();

    GradeInfo* m_pGrade;
    GradeInfo* m_pDesigned;
    std::unique_ptr<MessageBoxPrompter> m_pOwnPrompter;
    Prompter* m_pPrompter;
    QLineEdit* m_pFile = nullptr;
    QButtonGroup* m_pDisplay = nullptr;
    ColourSwatch* m_pSwatch = nullptr;
};
