#include "show/SymbolSet.h"

#include "base/AppPaths.h"
#include "media/MovieVariables.h"
#include "model/AnsiCodec.h"
#include "model/LotteryMask.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "show/SymbolCommands.h"
#include "show/SymbolLayout.h"

#include <QFileInfo>

#include <algorithm>

std::optional<QString> SymbolSet::ReadMovieVariable(const QString& path, const QString& name) {
    return MovieVariables::Read(path, name);
}

SymbolSet::SymbolSet(Prompter* prompter, MovieVariableReader reader)
    : m_pPrompter(prompter), m_reader(std::move(reader)) {}

QString SymbolSet::ExistingDefaultFile(const QString& stored) {
    QString path = MakeAbsolutePath(stored);
    if (QFileInfo(ResolveFileCase(path)).isFile())
        return path;
    return MakeAbsolutePath(QStringLiteral("defsym.swf"));
}

std::optional<QString> SymbolSet::ReadSymbols(const QString& path) {
    std::optional<QString> symbols =
        m_reader ? m_reader(path, SymbolsBitsVariable()) : std::nullopt;
    if (!symbols && m_pPrompter)
        m_pPrompter->Message(IncompatibleText(), Prompter::Icon::Warning);
    return symbols;
}

QString SymbolSet::LoadSymbolSet(const TumoStatus& status) {
    const QString stored = status.CurrentLevel() ? status.CurrentLevel()->m_sym.m_strDefaultFile
                                                 : QStringLiteral("defsym.swf");
    m_symbolChars = ReadSymbols(ExistingDefaultFile(stored)).value_or(QString());
    return m_symbolChars;
}

int SymbolSet::SymbolIndexOf(QChar c) const {
    const qsizetype k = m_symbolChars.indexOf(c);
    return k < 0 ? 1 : int(k) + 2;
}

void SymbolSet::ApplyMaskBits(QList<int>& frames, const LotteryMask& mask) {
    // A mask stored for more positions than the number has masks nothing beyond it.
    const qsizetype n = std::min(frames.size(), mask.m_listBits.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (mask.m_listBits.at(i).m_nValue == 1)
            frames[i] = 1;
    }
}

bool SymbolSet::HideSurplusSlots(TumoStatus& status, const GradeInfo* level, bool designMode,
                                 SymbolCommands& worker) {
    if (designMode || !level)
        return false;
    // Numbers on the screen of 0 or less (an old file) count as 1, as the slot arithmetic does.
    const int slots = std::max(1, level->m_base.m_nPerScreen);
    const int remaining = level->m_base.m_nQuantity - level->m_taken.Count();
    if (status.CurGradeIndex() == 0 || remaining >= slots) {
        // A first slot left over from another level's short screen would push this screen's
        // numbers past the last slot, where nobody sees them.
        status.m_nFirstSlot = 0;
        return false;
    }
    const auto surplus = SymbolLayout::CentreShortScreen(slots, remaining);
    if (!surplus)
        return false;
    status.m_nFirstSlot = surplus->firstSlot;
    for (int slot : surplus->hidden)
        worker.HideSlot(slot);
    return true;
}

QString SymbolSet::CheckSymbolFile(TumoStatus& status) {
    QList<LevelSymbols> levels;
    for (GradeInfo& level : status.Levels()) {
        const QString path = ExistingDefaultFile(level.m_sym.m_strDefaultFile);
        if (path != MakeAbsolutePath(level.m_sym.m_strDefaultFile))
            level.m_sym.m_strDefaultFile = path;
        const std::optional<QString> symbols = ReadSymbols(path);
        if (!symbols)
            return QString();
        levels.append({level.m_base.m_strName, *symbols});
    }
    return CheckSymbolText(status.m_nuBase.m_strChars, levels);
}

QString SymbolSet::ListMissingSymbols(const TumoStatus& status) {
    QList<LevelSymbols> levels;
    for (const GradeInfo& level : status.Levels()) {
        const std::optional<QString> symbols =
            ReadSymbols(MakeAbsolutePath(level.m_sym.m_strDefaultFile));
        if (!symbols)
            return QString();
        levels.append({level.m_base.m_strName, *symbols});
    }
    return MissingSymbolsText(StartChar(status.m_options.m_chStartSymbol), levels);
}

QString SymbolSet::CheckSymbolText(const QString& poolChars, const QList<LevelSymbols>& levels) {
    QString text = QStringLiteral("The bits of all prize draw numbers are:\"") + poolChars +
                   QStringLiteral("\", but the bits of the symbol in the prize:\n");
    bool problem = false;
    for (const LevelSymbols& level : levels) {
        bool lacking = level.symbols.isEmpty();
        for (QChar c : poolChars)
            lacking = lacking || !level.symbols.contains(c);
        if (!lacking)
            continue;
        text += u'"' + level.name + QStringLiteral("\" are:\"") + level.symbols +
                QStringLiteral("\"\n");
        problem = true;
    }
    text += QStringLiteral("If you ignore this, the unknown bit will be shown as mask bit.");
    return problem ? text : QString();
}

QString SymbolSet::MissingSymbolsText(QChar startChar, const QList<LevelSymbols>& levels) {
    QString list;
    for (const LevelSymbols& level : levels) {
        if (level.symbols.isEmpty() || !level.symbols.contains(startChar))
            list += u'"' + level.name + QStringLiteral("\",");
    }
    if (list.isEmpty())
        return QString();
    return QStringLiteral("The symbol of those prizes: ") + list +
           QStringLiteral(" can not recognise the bit(s) \"") + startChar +
           QStringLiteral(
               "\",  the symbol will stop to the mask bit when program start up in those prizes.");
}

QChar SymbolSet::StartChar(quint8 stored) {
    const QString text = AnsiCodec::toUnicode(QByteArray(1, char(stored)));
    return text.isEmpty() ? QChar(stored) : text.at(0);
}
