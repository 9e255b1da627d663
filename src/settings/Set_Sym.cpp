#include "settings/Set_Sym.h"

#include "base/AppPaths.h"
#include "media/MovieVariables.h"
#include "model/GradeInfo.h"
#include "model/Prompter.h"
#include "settings/XHScrollWnd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {

std::optional<QString> SymbolsOf(const QString& path) {
    return MovieVariables::Read(ResolveFileCase(MakeAbsolutePath(path)),
                                QStringLiteral("_root._level0.SymbolsBits"));
}

} // namespace

QString Set_Sym::TitleFor(int position) {
    if (position < 0)
        return QStringLiteral("Choose a default rolling symbol of this prize.");
    return QStringLiteral("Choose a rolling symbol for bit xxx.")
        .replace(QStringLiteral("xxx"), QString::number(position));
}

bool Set_Sym::IsCompatible(const QString& chosen, const QString& defaultSymbols) {
    for (const QChar c : defaultSymbols) {
        if (!chosen.contains(c))
            return false;
    }
    return true;
}

int Set_Sym::PositionOfSymbol(int symbolIndex, int positions) {
    if (symbolIndex < 0 || positions <= 0)
        return symbolIndex;
    return symbolIndex % positions;
}

int Set_Sym::ChooseSymbolFile(GradeInfo& live, int position, const ApplyGradeFn& apply,
                              Prompter* prompter, QWidget* parent, const Runner& run) {
    GradeInfo working = live;
    GradeInfo before = live;
    Set_Sym dialog(prompter, parent);
    dialog.m_nPosition = position;
    dialog.m_pGrade = &working;
    dialog.m_pLiveGrade = &live;
    dialog.m_applyGrade = apply;
    dialog.m_strFile =
        position < 0 ? live.m_sym.m_strDefaultFile : live.m_sym.GetSymbolFile(position);
    const int result = run ? run(dialog) : dialog.exec();
    if (result == QDialog::Accepted) {
        live = working;
        if (apply)
            apply(&live, &before);
    }
    return result;
}

Set_Sym::Set_Sym(Prompter* prompter, QWidget* parent) : QDialog(parent), m_pPrompter(prompter) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    m_pHeading = new QLabel(this);
    layout->addWidget(m_pHeading);

    auto* fileRow = new QHBoxLayout;
    m_pFileEdit = new QLineEdit(this);
    auto* browse = new QPushButton(QStringLiteral("Browse"), this);
    auto* apply = new QPushButton(QStringLiteral("Apply"), this);
    fileRow->addWidget(m_pFileEdit, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(apply);
    layout->addLayout(fileRow);
    layout->addSpacing(6);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    browse->setAutoDefault(false);
    apply->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &Set_Sym::OnBrowse);
    connect(apply, &QPushButton::clicked, this, &Set_Sym::OnApply);
    connect(ok, &QPushButton::clicked, this, &Set_Sym::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 360);
}

void Set_Sym::showEvent(QShowEvent* event) {
    if (!m_bInitialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void Set_Sym::OnInitDialog() {
    m_bInitialised = true;
    setWindowTitle(TitleFor(m_nPosition));
    m_pHeading->setText(m_nPosition < 0
                            ? QStringLiteral("Choose a default rolling symbol for this prize level")
                            : TitleFor(m_nPosition));
    // The strip starts on the default movie, also for a position: it is what the position's
    // movie must be able to stand in for.
    m_pStrip = new XHScrollWnd(m_pPrompter, this);
    m_pStrip->m_strFile = DefaultMovie();
    m_pStrip->setMinimumHeight(190);
    static_cast<QVBoxLayout*>(layout())->insertWidget(3, m_pStrip, 1);
    m_pStrip->Create();
    UpdateData(false);
}

QString Set_Sym::DefaultMovie() const {
    return m_pGrade ? MakeAbsolutePath(m_pGrade->m_sym.m_strDefaultFile) : QString();
}

void Set_Sym::UpdateData(bool save) {
    if (save)
        m_strFile = m_pFileEdit->text();
    else
        m_pFileEdit->setText(m_strFile);
}

void Set_Sym::OnBrowse() {
    if (!m_pPrompter || !m_pPrompter->AskYesNo(BrowseQuestion()))
        return;
    UpdateData(true);
    const QString chosen = m_pPrompter->ChooseOpenFile(QString(), FileFilter());
    if (chosen.isEmpty())
        return;
    if (m_nPosition < 0)
        BrowseDefault(chosen);
    else
        BrowsePosition(chosen);
}

void Set_Sym::BrowseDefault(const QString& chosen) {
    const QString previous = m_strFile;
    m_strFile = chosen;
    if (!m_pStrip || !m_pStrip->SetSymbolFile(chosen))
        m_strFile = previous;
    UpdateData(false);
}

QString Set_Sym::PositionEntry() const {
    // A position the list does not reach yet has no movie of its own.
    if (!m_pGrade || m_nPosition < 0 || m_nPosition >= m_pGrade->m_sym.m_listFiles.size())
        return QString();
    return m_pGrade->m_sym.m_listFiles.at(m_nPosition);
}

void Set_Sym::BrowsePosition(const QString& chosen) {
    const QString previous = PositionEntry();
    const std::optional<QString> chosenSymbols = SymbolsOf(chosen);
    const std::optional<QString> defaultSymbols =
        chosenSymbols ? SymbolsOf(DefaultMovie()) : std::nullopt;
    if (!chosenSymbols || !defaultSymbols) {
        m_pPrompter->Message(IncompatibleText());
        return;
    }
    if (!IsCompatible(*chosenSymbols, *defaultSymbols)) {
        m_pPrompter->Message(NotSameBitsText());
        return;
    }
    m_strFile = (m_pStrip && m_pStrip->SetSymbolFile(chosen)) ? chosen : previous;
    UpdateData(false);
}

void Set_Sym::OnApply() {
    UpdateData(true);
    if (!m_pGrade)
        return;
    LotterySym& sym = m_pGrade->m_sym;
    if (m_nPosition < 0) {
        // A new default stands for every position as well.
        sym.m_strDefaultFile = m_strFile;
        for (QString& file : sym.m_listFiles)
            file = m_strFile;
    } else {
        // Positions the list does not reach yet use the default movie until now.
        while (sym.m_listFiles.size() <= m_nPosition)
            sym.m_listFiles.append(QString());
        sym.m_listFiles[m_nPosition] = m_strFile;
    }
    ApplyToLive();
}

void Set_Sym::ApplyToLive() {
    if (!m_pLiveGrade || m_pLiveGrade == m_pGrade)
        return;
    GradeInfo before = *m_pLiveGrade;
    *m_pLiveGrade = *m_pGrade;
    // The live level is the one the screen shows; the working copy may go with the dialog.
    if (m_applyGrade)
        m_applyGrade(m_pLiveGrade, &before);
}

void Set_Sym::OnOK() {
    OnApply();
    accept();
}
