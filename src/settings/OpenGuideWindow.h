#pragma once

class CGuidHelpWnd;
class SettingsHost;

// Command 32890 of the draw window: makes the guide window for it, gives it the draw window's
// registered windows and stored start-up flag, and shows it. Registrations repaint it, and its
// closing report reaches SettingsHost::OnGuideClosed queued, as the window message was posted; the
// draw window deletes it then.
CGuidHelpWnd* OpenGuideWindow(SettingsHost& main);
