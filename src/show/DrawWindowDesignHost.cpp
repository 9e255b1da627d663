#include "show/DrawWindowDesignHost.h"

#include "show/CTumoDlg.h"
#include "show/SymbolView.h"

#include <utility>

QWidget& DrawWindowDesignHost::HostWindow() {
    return m_window;
}

TumoStatus& DrawWindowDesignHost::Status() {
    return m_window.Status();
}

DrawSequence& DrawWindowDesignHost::Draw() {
    return m_window.Draw();
}

SymbolCommands& DrawWindowDesignHost::Symbols() {
    return m_window.Symbols();
}

DrawScreen& DrawWindowDesignHost::Screen() {
    return m_window;
}

BulletinControl& DrawWindowDesignHost::BoardShow() {
    return m_window;
}

bool DrawWindowDesignHost::IsQuitting() const {
    return m_window.IsQuitting();
}

QWidget* DrawWindowDesignHost::SettingsWindow() const {
    return m_window.SettingsWindow();
}

DesignTool* DrawWindowDesignHost::CreateDesignTool(int listIndex) {
    return m_window.CreateDesignTool(listIndex);
}

QWidget* DrawWindowDesignHost::CreateBannerOptions() {
    return m_window.CreateBannerOptions();
}

void DrawWindowDesignHost::SetBusy(bool busy) {
    m_window.m_bBusy = busy;
}

void DrawWindowDesignHost::EnableButtons(bool enable) {
    m_window.EnableButtons(enable);
}

void DrawWindowDesignHost::RestoreZOrder() {
    m_window.RestoreZOrder();
}

void DrawWindowDesignHost::RegisterWithGuide(QWidget* window) {
    m_window.RegisterWithGuide(window);
}

void DrawWindowDesignHost::SaveDrawState(bool winnersText) {
    m_window.SaveDrawState(winnersText);
}

QList<QWidget*> DrawWindowDesignHost::SymbolWindows(int count) {
    return m_window.SymbolWindows(count);
}

QWidget* DrawWindowDesignHost::BannerWindow() {
    return m_window.m_pBannerView;
}

void DrawWindowDesignHost::ApplyBanner() {
    m_window.ApplyBanner();
}

void DrawWindowDesignHost::MoveBanner(const QRect& rect) {
    m_window.m_banner.MoveWindow(rect);
}

BulletinBoard* DrawWindowDesignHost::Bulletin() {
    return m_window.m_pBulletin;
}

bool DrawWindowDesignHost::TakeBulletinReshape() {
    return std::exchange(m_window.m_bReshapeBulletin, false);
}

InfoPanels& DrawWindowDesignHost::TextPanels() {
    return m_window.m_panels;
}

void DrawWindowDesignHost::TakeLayoutToScreen() {
    m_window.TakeLayoutToScreen();
}
