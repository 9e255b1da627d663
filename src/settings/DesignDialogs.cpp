#include "settings/DesignDialogs.h"

#include "model/GradeBase.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "settings/BannerShow.h"
#include "settings/MaskDlg.h"
#include "settings/PrizeBaseSettings.h"
#include "settings/Set_BB.h"
#include "settings/Set_BG.h"
#include "settings/Set_Sym.h"
#include "settings/SoundDD.h"
#include "settings/XFaceString.h"
#include "show/DesignMode.h"
#include "show/DrawSequence.h"
#include "show/DrawSounds.h"
#include "show/SettingsHost.h"
#include "show/SymbolCommands.h"

#include <QPointer>

namespace {

// A dialog without a prompter of its own reports through the draw window's.
Prompter* Say(SettingsHost& main, Prompter* prompter) {
    return prompter ? prompter : &main.WindowPrompter();
}

} // namespace

int DesignDialogs::Run(QDialog& dialog, const Runner& run) {
    return run ? run(dialog) : dialog.exec();
}

void DesignDialogs::BaseSettings(SettingsHost& main, Prompter* prompter,
                                 const PrizeLevels::Editor& editor) {
    GradeInfo* level = main.CurGrade();
    if (!level)
        return;
    prompter = Say(main, prompter);
    Prompter& say = *prompter;
    const PrizeLevels::Editor edit =
        editor ? editor
               : PrizeBaseSettings::ModalEditor(&main.Window(), prompter, [&main](QWidget* window) {
                     main.RegisterWithGuide(window);
                 });
    const bool defaultLevel = main.Status().IndexOf(level) == 0;
    main.Design().CountDialogOpened();
    const PrizeLevels::Outcome outcome =
        PrizeLevels::EditBaseSettings(main.Status(), *level, defaultLevel, say, edit);
    if (outcome == PrizeLevels::Outcome::LayoutReset) {
        if (main.FitLevelsToScreen())
            say.Message(GradeBase::PerScreenText(), Prompter::Icon::Warning);
        SymbolCommands& symbols = main.Symbols();
        symbols.SetCount(level->m_base.m_nPerScreen * main.Status().m_nuBase.m_nDigits);
        symbols.Layout();
        main.Draw().HideSurplusSlots();
    }
    main.Design().CountDialogClosed();
}

void DesignDialogs::Background(SettingsHost& main, GradeInfo& designed, Prompter* prompter,
                               const Runner& run) {
    prompter = Say(main, prompter);
    main.Design().CountDialogOpened();
    {
        GradeInfo work = designed;
        GradeInfo before = designed;
        Set_BG dialog(&work, &designed, &main.Window(), prompter);
        QObject::connect(&dialog, &Set_BG::applyGrade, &main.Window(),
                         [&main](GradeInfo* level) { main.ApplyGrade(level, main.CurGrade()); });
        if (Run(dialog, run) == QDialog::Accepted) {
            designed = work;
            main.ApplyGrade(&designed, &before);
        }
    }
    main.Design().CountDialogClosed();
}

void DesignDialogs::Sound(SettingsHost& main, Prompter* prompter, const Runner& run) {
    prompter = Say(main, prompter);
    GradeInfo* level = main.CurGrade();
    if (!level)
        return;
    main.Design().CountDialogOpened();
    main.Sounds().LoadGradeSounds(-1);
    LottrySound work;
    work.m_strBackSound = level->m_sound.m_strBackSound;
    work.m_strStopSound = level->m_sound.m_strStopSound;
    work.m_strBBSound = level->m_sound.m_strBBSound;
    work.m_bLoopBack = level->m_sound.m_bLoopBack;
    work.m_bLoopStop = level->m_sound.m_bLoopStop;
    work.m_bLoopBB = level->m_sound.m_bLoopBB;
    {
        SoundDD dialog(&work, &main.Window(), prompter);
        if (Run(dialog, run) == QDialog::Accepted) {
            LottrySound& sound = level->m_sound;
            sound.m_strBackSound = work.m_strBackSound;
            sound.m_strStopSound = work.m_strStopSound;
            sound.m_strBBSound = work.m_strBBSound;
            sound.m_bLoopBack = work.m_bLoopBack;
            sound.m_bLoopStop = work.m_bLoopStop;
            sound.m_bLoopBB = work.m_bLoopBB;
        }
    }
    main.Sounds().LoadGradeSounds(0);
    main.Sounds().ControlSounds(DrawSounds::Rolling);
    main.Design().CountDialogClosed();
}

void DesignDialogs::Mask(SettingsHost& main, Prompter* prompter, const Runner& run) {
    prompter = Say(main, prompter);
    GradeInfo* level = main.CurGrade();
    if (!level)
        return;
    main.Design().CountDialogOpened();
    {
        MaskDlg dialog(&main.Status(), level, prompter, &main.Window());
        Run(dialog, run);
    }
    main.Design().CountDialogClosed();
}

void DesignDialogs::ChooseSymbolFile(SettingsHost& main, GradeInfo& designed, int position,
                                     Prompter* prompter, const Runner& run) {
    prompter = Say(main, prompter);
    Set_Sym::Runner runner;
    if (run)
        runner = [&run](Set_Sym& dialog) { return run(dialog); };
    Set_Sym::ChooseSymbolFile(
        designed, position,
        [&main](GradeInfo* applied, GradeInfo* previous) { main.ApplyGrade(applied, previous); },
        prompter, &main.Window(), runner);
}

void DesignDialogs::EditTextItem(SettingsHost& main, int index, const Runner& run) {
    GradeInfo* level = main.CurGrade();
    if (!level)
        return;
    XFaceString editor(level, &main.Window());
    if (index != XFaceString::kNewItem && !editor.EditItem(index))
        return;
    // UM_STRING_EDITED was posted: the panel follows once the editor is gone.
    QObject::connect(
        &editor, &XFaceString::StringEdited, &main.Window(),
        [&main](int edited) { main.Design().OnStringEdited(edited); }, Qt::QueuedConnection);
    Run(editor, run);
}

BoardOptionsLink DesignDialogs::CreateBulletinOptions(SettingsHost& main, Prompter* prompter) {
    prompter = Say(main, prompter);
    BoardOptionsLink link;
    GradeInfo* level = main.CurGrade();
    if (!level)
        return link;
    auto* dialog = new Set_BB(level, &main.Window(), prompter);
    QObject::connect(dialog, &Set_BB::closed, &main.Window(),
                     [&main] { main.Design().OnBulletinOptionsClosed(); });
    QObject::connect(dialog, &Set_BB::boardLayoutRequested, &main.Window(),
                     [&main] { main.Design().BeginBulletinLayout(); });
    QObject::connect(dialog, &Set_BB::numberAreaLayoutRequested, &main.Window(),
                     [&main] { main.Design().BeginNumberAreaLayout(); });
    const QPointer<Set_BB> guard(dialog);
    link.window = dialog;
    link.applyAll = [guard] { return guard && guard->ApplyAll(); };
    link.refreshFromLevel = [guard] {
        if (guard)
            guard->RefreshFromLevel();
    };
    dialog->show();
    return link;
}

QWidget* DesignDialogs::CreateBannerOptions(SettingsHost& main, Prompter* prompter) {
    prompter = Say(main, prompter);
    GradeInfo* level = main.CurGrade();
    if (!level)
        return nullptr;
    auto* dialog = new BannerShow(level, &main.Window(), prompter);
    const QPointer<BannerShow> guard(dialog);
    QObject::connect(
        dialog, &BannerShow::applyGrade, &main.Window(),
        [&main](GradeInfo* applied, GradeInfo* previous) { main.ApplyGrade(applied, previous); });
    QObject::connect(dialog, &BannerShow::bannerLayoutRequested, &main.Window(), [&main, guard] {
        main.Design().BeginBannerLayout([guard](const QRect& rect) {
            if (guard)
                guard->SetPosition(rect);
        });
    });
    QObject::connect(dialog, &BannerShow::closed, &main.Window(),
                     [&main](int ok) { main.Design().OnBannerClosed(ok); });
    dialog->show();
    return dialog;
}
