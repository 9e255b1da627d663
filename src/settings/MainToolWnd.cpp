#include "settings/MainToolWnd.h"

#include "controls/ControlId.h"
#include "settings/DesignDialogs.h"
#include "show/CTumoDlg.h"
#include "show/DesignLevels.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QVBoxLayout>

QList<int> MainToolWnd::ButtonOrder() {
    return {XToolBarEx::kComboId,          DesignCommand::kBaseSettings,
            DesignCommand::kBackground,    DesignCommand::kSymbolPlacement,
            DesignCommand::kBannerOptions, DesignCommand::kBulletinOptions,
            DesignCommand::kSoundOptions,  DesignCommand::kMaskOptions,
            DesignCommand::kTextLayout,    DesignCommand::kQuit};
}

QString MainToolWnd::TipText(int id) {
    switch (id) {
    case XToolBarEx::kComboId:
        return QStringLiteral("select a prize to set");
    case DesignCommand::kBaseSettings:
        return QStringLiteral("Base settings");
    case DesignCommand::kBackground:
        return QStringLiteral("Background picture options");
    case DesignCommand::kSymbolPlacement:
        return QStringLiteral("Rolling symbol settings");
    case DesignCommand::kBannerOptions:
        return QStringLiteral("Banner options");
    case DesignCommand::kBulletinOptions:
        return QStringLiteral("Bulletin board options");
    case DesignCommand::kSoundOptions:
        return QStringLiteral("Sound options");
    case DesignCommand::kMaskOptions:
        return QStringLiteral("Symbol bit mask options");
    case DesignCommand::kTextLayout:
        return QStringLiteral("Add a string");
    case DesignCommand::kQuit:
        return QStringLiteral("Quit");
    default:
        return {};
    }
}

void MainToolWnd::Install(Prompter* prompter) {
    CTumoDlg::InstallDesignTool([prompter](SettingsHost& main, int level) {
        return new MainToolWnd(main, level, prompter);
    });
}

MainToolWnd::MainToolWnd(SettingsHost& main, int level, Prompter* prompter)
    : QWidget(&main.Window(), Qt::Tool | Qt::WindowStaysOnTopHint), m_pStatus(&main.Status()),
      m_main(main), m_pPrompter(prompter ? prompter : &main.WindowPrompter()), m_toolBar(this) {
    if (level >= 0 && level < std::ssize(m_pStatus->Levels()))
        m_pGrade = &m_pStatus->Level(level);
    setWindowTitle(Caption());
    BuildToolBar();
    OnInitDialog();
}

void MainToolWnd::BuildToolBar() {
    m_toolBar.setMovable(false);
    m_toolBar.setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int id : ButtonOrder()) {
        QAction* action = m_toolBar.addAction(TipText(id));
        action->setToolTip(TipText(id));
        action->setData(id);
        m_buttons.insert(id, action);
        if (id != XToolBarEx::kComboId)
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    m_toolBar.LoadImageLists();
    m_toolBar.CreateCombo();
    // The guide finds each button by its command; the level box carries its own number.
    for (int id : ButtonOrder()) {
        if (id != XToolBarEx::kComboId)
            SetControlId(m_toolBar.widgetForAction(Button(id)), id);
    }
    LevelBox()->setToolTip(TipText(XToolBarEx::kComboId));
    connect(&m_toolBar, &XToolBarEx::PrizeLevelChosen, this,
            [this](int index) { SelectPrizeLevel(index); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&m_toolBar);
    // The window is as large as its tool bar, no more.
    setFixedSize(sizeHint());
}

void MainToolWnd::OnInitDialog() {
    QComboBox* box = LevelBox();
    box->clear();
    box->addItems(DesignLevels::Names(*m_pStatus));
    const qsizetype i = m_pStatus->IndexOf(m_pGrade);
    if (i >= 0)
        box->setCurrentIndex(DesignLevels::SelectorIndexOf(int(i), m_pStatus->LastGrade()));
}

void MainToolWnd::SelectPrizeLevel(int index) {
    const int listIndex = DesignLevels::ListIndexOf(index, m_pStatus->LastGrade());
    if (GradeInfo* level = m_main.Design().ChooseDesignLevel(listIndex))
        m_pGrade = level;
    LevelBox()->setCurrentIndex(index);
}

void MainToolWnd::EnableLevelChoice(bool enable) {
    LevelBox()->setEnabled(enable);
    if (QAction* symbols = Button(DesignCommand::kSymbolPlacement))
        symbols->setEnabled(enable);
}

void MainToolWnd::ChooseSymbolFile(int position) {
    if (m_pGrade)
        DesignDialogs::ChooseSymbolFile(m_main, *m_pGrade, position, m_pPrompter);
}

void MainToolWnd::EditTextItem(int index) {
    DesignDialogs::EditTextItem(m_main, index);
}

BoardOptionsLink MainToolWnd::CreateBulletinOptions() {
    return DesignDialogs::CreateBulletinOptions(m_main, m_pPrompter);
}

void MainToolWnd::OnCommand(int id) {
    switch (id) {
    case DesignCommand::kBaseSettings:
        DesignDialogs::BaseSettings(m_main, m_pPrompter);
        break;
    case DesignCommand::kBackground:
        if (m_pGrade)
            DesignDialogs::Background(m_main, *m_pGrade, m_pPrompter);
        break;
    case DesignCommand::kSoundOptions:
        DesignDialogs::Sound(m_main, m_pPrompter);
        break;
    case DesignCommand::kMaskOptions:
        DesignDialogs::Mask(m_main, m_pPrompter);
        break;
    default:
        m_main.Design().OnDesignCommand(id);
        break;
    }
}

void MainToolWnd::closeEvent(QCloseEvent* event) {
    // UM_DESIGN_CLOSED: the draw window decides, and deletes this window when design mode ends.
    event->ignore();
    QMetaObject::invokeMethod(
        &m_main.Window(), [main = &m_main] { main->Design().OnDesignClosed(); },
        Qt::QueuedConnection);
}
