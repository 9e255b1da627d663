#pragma once

#include <QImage>
#include <QMap>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// A decoded movie: cells of one size and the variables the movie publishes. Once built it never
// changes, so one decoded movie is shared by every player and view that shows the same file, on
// any thread.
//
// A symbol movie has cell 0 as its rolling picture, cell 1 as the mask symbol and cell k + 2 as
// character k of SymbolsBits. A loop movie cycles through its cells, FrameMs each, blending one
// into the next. An animation (GIF, WebP, MNG) cycles through its frames, each with its own delay.
class StripCellDecoder;

class StripMovie {
public:
    enum class Kind { Symbols, Loop, Animation };

    static constexpr int kDefaultRollMs = 60;
    static constexpr int kDefaultFrameMs = 100;

    // Builds a symbol movie. Every cell must have the rolling picture's size; `characters` holds
    // one cell per character of `symbolsBits`. Returns null when the cells do not fit.
    static std::shared_ptr<const StripMovie> MakeSymbols(const QImage& rolling, const QImage& mask,
                                                         const std::vector<QImage>& characters,
                                                         const QString& symbolsBits,
                                                         int rollMs = kDefaultRollMs);
    // Builds a loop movie of equal cells. Returns null when there are none or sizes differ.
    static std::shared_ptr<const StripMovie> MakeLoop(const std::vector<QImage>& cells,
                                                      int frameMs = kDefaultFrameMs);
    // Builds an animation with one delay per frame (GIF and the like).
    static std::shared_ptr<const StripMovie> MakeAnimation(const std::vector<QImage>& frames,
                                                           const std::vector<int>& delaysMs);

    Kind GetKind() const { return m_kind; }
    bool IsSymbols() const { return m_kind == Kind::Symbols; }
    int CellCount() const { return static_cast<int>(m_cellMs.size()); }
    // A cell at the movie's own size; null outside the movie. Cells of a movie read from a strip
    // file are decoded as they are asked for: whoever asks often keeps what it gets.
    QImage Cell(int index) const;
    // Decodes a cell of a movie read from a strip file enlarged into `out`, at `out`'s size, never
    // holding the cell at its own size; false for other movies, or `out` smaller than a cell.
    bool DecodeScaled(int index, QImage& out) const;
    QSize NaturalSize() const { return m_size; }

    // The characters a symbol movie can show, in frame order; empty for other movies.
    QString SymbolsBits() const;
    int CharacterCount() const;
    // The cell that holds character k, or the mask cell when k is outside the set.
    int CellOfCharacter(int k) const;

    int RollMs() const { return m_rollMs; }
    // How long a loop or animation shows a cell before the next.
    int CellMs(int index) const;
    qint64 CycleMs() const { return m_cycleMs; }
    // Loop movies fade each cell into the next; animations cut, as their authors drew them.
    bool BlendsCells() const { return m_kind == Kind::Loop; }
    // Every pixel of every cell is opaque: a view may skip painting what lies under it.
    bool IsOpaque() const { return m_opaque; }

    // A published variable ("SymbolsBits", "cx", "cy", ...), nullopt when the movie lacks it.
    std::optional<QString> Variable(const QString& key) const;
    const QMap<QString, QString>& Variables() const { return m_variables; }

    qint64 ByteSize() const;

private:
    // `knownOpaque`: the cells are known to be opaque, and are not searched for transparency.
    StripMovie(Kind kind, std::vector<QImage> cells, QMap<QString, QString> variables,
               std::vector<int> cellMs, int rollMs, bool knownOpaque = false);
    // A movie whose cells are decoded from its file as they are asked for.
    StripMovie(Kind kind, std::shared_ptr<const StripCellDecoder> decoder, QSize cell,
               QMap<QString, QString> variables, std::vector<int> cellMs, int rollMs);

    void SumCellMs();

    Kind m_kind;
    std::vector<QImage> m_cells; // when not decoded as asked for
    QMap<QString, QString> m_variables;
    std::vector<int> m_cellMs;
    int m_rollMs;
    QSize m_size;
    qint64 m_cycleMs = 0;
    bool m_opaque = true;
    std::shared_ptr<const StripCellDecoder> m_decoder;

    friend class StripMovieFile;
};
