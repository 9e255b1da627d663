#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class GradeInfo;
class LotteryMask;
class Prompter;
class SymbolCommands;
class TumoStatus;

// The symbol sets of the draw window: which characters a level's symbol movie can show, the
// frame that shows a character, the masked positions, the centring of a short last screen, and
// the checks of the symbol movies against the pool's characters with the texts the window shows.
// No widgets: movies are read without a player, messages go to the prompter.
class SymbolSet {
public:
    // The text of a movie variable ("_root._level0.SymbolsBits"); nullopt when the movie cannot
    // be loaded or lacks the variable.
    using MovieVariableReader =
        std::function<std::optional<QString>(const QString& path, const QString& name)>;

    struct LevelSymbols {
        QString name;    // the level's name
        QString symbols; // the characters its default symbol movie can show
    };

    static QString IncompatibleText() { return QStringLiteral("Incompatible symbol file!"); }
    static QString SymbolsBitsVariable() { return QStringLiteral("_root._level0.SymbolsBits"); }

    // Reads the movie without a player (the shared movie cache keeps it for the players).
    static std::optional<QString> ReadMovieVariable(const QString& path, const QString& name);

    explicit SymbolSet(Prompter* prompter, MovieVariableReader reader = ReadMovieVariable);

    // The characters of the current level's default symbol movie (the program folder's
    // "defsym.swf" when that file is missing), kept in m_symbolChars; empty when the movie cannot
    // be read, which is reported.
    QString LoadSymbolSet(const TumoStatus& status);
    // The frame that shows a character: k + 2 for character k of the set, 1 (the mask) for a
    // character the set lacks.
    int SymbolIndexOf(QChar c) const;
    // Masked positions (entry i of the mask counts from the left, as `frames` does) show the
    // mask frame whatever was drawn.
    static void ApplyMaskBits(QList<int>& frames, const LotteryMask& mask);
    // On the last, partial screen of a prize level the numbers left fill the middle slots: sets
    // the status's first slot and hides the others; true when it hid slots. A whole screen ahead
    // (and the default level, whose screens are always whole) starts at slot 0. Nothing in design
    // mode or on a finished level, whose last screen stays as it stands.
    static bool HideSurplusSlots(TumoStatus& status, const GradeInfo* level, bool designMode,
                                 SymbolCommands& worker);

    // The report on levels whose movies cannot show every character of the pool, "" when all
    // can. A missing default movie is replaced in the level by the program folder's
    // "defsym.swf".
    QString CheckSymbolFile(TumoStatus& status);
    // The report on levels whose movies cannot show the start-up character, "" when all can.
    QString ListMissingSymbols(const TumoStatus& status);

    static QString CheckSymbolText(const QString& poolChars, const QList<LevelSymbols>& levels);
    static QString MissingSymbolsText(QChar startChar, const QList<LevelSymbols>& levels);
    // The start-up character as stored: one byte of the Western Windows code page.
    static QChar StartChar(quint8 stored);

    QString m_symbolChars;

private:
    // Reads a level's set; on failure tells the operator and returns nullopt.
    std::optional<QString> ReadSymbols(const QString& path);
    // The default movie made absolute, or the program folder's "defsym.swf" when it is missing.
    static QString ExistingDefaultFile(const QString& stored);

    Prompter* m_pPrompter;
    MovieVariableReader m_reader;
};
