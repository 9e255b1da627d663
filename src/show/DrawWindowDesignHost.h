#pragma once

#include "show/DesignHost.h"

class CTumoDlg;

// Design mode's view of the draw window: each call goes to the window's own state, so that the
// window itself carries no design-mode interface.
class DrawWindowDesignHost : public DesignHost {
public:
    explicit DrawWindowDesignHost(CTumoDlg& window) : m_window(window) {}

    QWidget& HostWindow() override;
    TumoStatus& Status() override;
    DrawSequence& Draw() override;
    SymbolCommands& Symbols() override;
    DrawScreen& Screen() override;
    BulletinControl& BoardShow() override;
    bool IsQuitting() const override;
    QWidget* SettingsWindow() const override;

    DesignTool* CreateDesignTool(int listIndex) override;
    QWidget* CreateBannerOptions() override;

    void SetBusy(bool busy) override;
    void EnableButtons(bool enable) override;
    void RestoreZOrder() override;
    void RegisterWithGuide(QWidget* window) override;
    void SaveDrawState(bool winnersText) override;

    QList<QWidget*> SymbolWindows(int count) override;

    QWidget* BannerWindow() override;
    void ApplyBanner() override;
    void MoveBanner(const QRect& rect) override;

    BulletinBoard* Bulletin() override;
    bool TakeBulletinReshape() override;

    InfoPanels& TextPanels() override;
    void TakeLayoutToScreen() override;

private:
    CTumoDlg& m_window;
};
