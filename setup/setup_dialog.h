// SetupDialog: the saver's configuration screen (template 131). It shows the
// settings it is given and edits them; after OK they hold the user's values.
// "Choose" picks the folder with the directory chooser.
#pragma once

#include "common/settings.h"
#include "framework/dialog.h"

#include <string>

class SetupDialog : public CDialog {
public:
    // The owner, if any, is disabled while the dialog runs.
    explicit SetupDialog(const Settings& settings, CWnd* owner = nullptr);

    // Path: edit 1000, at most 250 characters. Size: "Large" 0, "Small" 1;
    // Position: "Scatter" 0, "Center" 1 (none checked: -1). Overlap, Random,
    // Subfolders, Fade, Fit, Keys, Captions, Motion and Pairs: the check boxes. Delay: exchanged
    // through delayText.
    Settings settings;
    std::string delayText; // the delay as the text of edit 1008

protected:
    void DoDataExchange(CDataExchange& dx) override;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    void OnChoose();

    static const MessageMapEntry messageEntries[];
    static const MessageMap messageMap;
};
