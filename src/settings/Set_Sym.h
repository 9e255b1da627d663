#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class GradeInfo;
class Prompter;
class QLabel;
class QLineEdit;
class XHScrollWnd;

// The rolling-symbol dialog of one prize level: chooses the level's default symbol movie
// (position -1), or the movie of one digit position (0 = the rightmost character). The strip
// shows every frame of the chosen movie, captioned, so the operator sees what it shows.
//
// It edits a working copy of the level. Apply (and OK, which applies first) copies the copy over
// the live level and puts that on the screen through the apply hook at once, so Cancel after
// Apply keeps what was applied.
class Set_Sym : public QDialog {
    Q_OBJECT
public:
    // Puts a level on the draw screen again after an edit: the level now, and its state before
    // (the draw window's ApplyGrade).
    using ApplyGradeFn = std::function<void(GradeInfo* applied, GradeInfo* previous)>;
    // Runs the dialog; tests answer it without a modal loop.
    using Runner = std::function<int(Set_Sym&)>;

    static QString BrowseQuestion() {
        return QStringLiteral("This option is very important, please ensure the file is "
                              "correct!\nAre you sure to continue?");
    }
    static QString NotSameBitsText() {
        return QStringLiteral(
            "The bits of this symbol recognised must be same as the defaut symbol file.");
    }
    static QString IncompatibleText() { return QStringLiteral("Incompatible symbol file!"); }
    static QString FileFilter() { return QStringLiteral("*.swf (*.swf);;All files (*)"); }

    // The window title for a position (-1: the default symbol).
    static QString TitleFor(int position);
    // Whether a movie showing `chosen` can stand in for one showing `defaultSymbols`: every
    // character of the default must be there, in any order, extras allowed.
    static bool IsCompatible(const QString& chosen, const QString& defaultSymbols);
    // The digit position of a symbol window: windows count through every number of the screen,
    // the per-position movies through one number's characters.
    static int PositionOfSymbol(int symbolIndex, int positions);

    // What the draw window does for "Choose a rolling symbol file." (position -1) and "Load a new
    // symbol" (a position): runs the dialog on a copy of `live`; on OK the copy goes back into
    // `live` and `apply` puts it on the screen with the state from before. Returns the dialog's
    // result.
    static int ChooseSymbolFile(GradeInfo& live, int position, const ApplyGradeFn& apply,
                                Prompter* prompter, QWidget* parent = nullptr,
                                const Runner& run = {});

    explicit Set_Sym(Prompter* prompter, QWidget* parent = nullptr);

    // The set-up before the dialog shows (also run by the first show): title and strip.
    void OnInitDialog();
    // "Browse": a movie from a file chooser, checked against the default symbol for a position.
    void OnBrowse();
    // "Apply": the file box into the level, and the level onto the screen.
    void OnApply();
    // OK: applies, then closes.
    void OnOK();

    XHScrollWnd* Strip() const { return m_pStrip; }
    QLineEdit* FileBox() const { return m_pFileEdit; }

    int m_nPosition = -1;
    XHScrollWnd* m_pStrip = nullptr;
    GradeInfo* m_pGrade = nullptr; // the working copy
    QString m_strFile;
    GradeInfo* m_pLiveGrade = nullptr; // the level on the screen; Apply writes through to it
    ApplyGradeFn m_applyGrade;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateData(bool save);
    void BrowseDefault(const QString& chosen);
    void BrowsePosition(const QString& chosen);
    QString PositionEntry() const;
    QString DefaultMovie() const;
    void ApplyToLive();

    Prompter* m_pPrompter;
    QLabel* m_pHeading = nullptr;
    QLineEdit* m_pFileEdit = nullptr;
    bool m_bInitialised = false;
};
