#pragma once

// The text panels of the draw window.
class InfoPanelHost {
public:
    virtual ~InfoPanelHost() = default;

    // true builds the current level's panels with the counts of the moment, false destroys them.
    virtual void RefreshInfoPanels(bool create) = 0;
};
