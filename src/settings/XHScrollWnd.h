#pragma once

#include "settings/XHScrollLayout.h"

#include <QFrame>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class CShockwaveFlash;
class GradeInfo;
class MovieView;
class Prompter;
class QCheckBox;
class QScrollBar;
class TumoStatus;

// The preview strip of the symbol and mask dialogs: a scrollable row of movie cells. In symbol
// mode it shows every frame of one symbol movie, each captioned with what it should show, so
// the operator sees whether the movie really shows the characters it claims. In mask mode it
// shows one rolling cell per digit position with a "Mask" check box under it; a ticked position
// shows the movie's mask symbol.
//
// The owner sets the mode, the movie file and (mask mode) the status and the level, then calls
// Create. Problems with the movie are told through the prompter; the strip then stays empty.
class XHScrollWnd : public QFrame {
    Q_OBJECT
public:
    static QString FileNotExistText() { return QStringLiteral("file not exist!"); }
    static QString IncompatibleText() { return QStringLiteral("Incompatible symbol file!"); }
    static QString ErrorSymbolText() { return QStringLiteral("Error symbol file!"); }

    explicit XHScrollWnd(Prompter* prompter, QWidget* parent = nullptr);
    ~XHScrollWnd() override;

    // Builds the cells from the members set by the owner.
    void Create();
    // Shows another symbol movie (symbol mode). False, with the reason told, when the movie is
    // missing or cannot say what it shows; the strip then keeps what it showed.
    bool SetSymbolFile(const QString& file);

    // Per digit position from the left (mask mode): ticked or not. Holds the level's stored
    // states even when the cells could not be built, so that OK never loses the mask.
    QList<bool> MaskStates() const { return m_masked; }
    // Digit positions per number (mask mode).
    int Positions() const;

    int CellCount() const { return int(m_cells.size()); }
    const std::vector<MovieView*>& Cells() const { return m_cells; }
    std::vector<CShockwaveFlash*> Players() const;
    const std::vector<QCheckBox*>& CheckBoxes() const { return m_checks; }
    const QString& SymbolChars() const { return m_symbolChars; }
    QScrollBar* ScrollBar() const { return m_pScroll; }
    QWidget* ClientArea() const { return m_pClient; }
    int ScrollOffset() const { return m_nOffset; }

    bool m_bMaskMode = false;
    TumoStatus* m_pStatus = nullptr; // mask mode
    GradeInfo* m_pGrade = nullptr;   // mask mode
    QString m_strFile;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MovieFacts {
        int cx = 0;
        int cy = 0;
        QString symbols;
    };

    // The movie's size and characters; nullopt-like false when any of them cannot be read.
    static bool ReadMovie(const QString& path, MovieFacts& facts);
    static QString ExistingFile(const QString& path);

    void BuildCells();
    void DestroyCells();
    void LoadMaskStates();
    QString CellMovie(int i) const;
    void PlaceCells();
    void ResetScrollBar();
    void OnScrollAction(int action);
    void OnScrolled(int position);
    void OnCheckClicked(int i);
    void PaintClient();
    int ClientHeight() const;

    Prompter* m_pPrompter;
    QWidget* m_pClient = nullptr;
    QScrollBar* m_pScroll = nullptr;
    std::vector<std::unique_ptr<CShockwaveFlash>> m_players;
    std::vector<MovieView*> m_cells;
    std::vector<QCheckBox*> m_checks;
    QList<bool> m_masked;
    int m_nOffset = 0;
    int m_nScrollMax = 0;
    QString m_symbolChars;
    MovieFacts m_facts;
};
