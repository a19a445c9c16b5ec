// SetupDialog: the saver's configuration screen (template 131). It edits the six
// settings in its fields; the caller fills them in before the run and reads
// them after OK. "Choose" picks the folder with the directory chooser.
#pragma once

#include "framework/dialog.h"

#include <string>

class SetupDialog : public CDialog {
public:
    SetupDialog();

    std::string delayText; // the delay as the text of edit 1008
    std::string path;      // the picture folder, edit 1000, at most 250 characters
    int size = -1;         // Size group: "Large" 0, "Small" 1, none checked -1
    int position = -1;     // Position group: "Scatter" 0, "Center" 1, none checked -1
    int overlap = 0;       // check box "Overlap"
    int random = 0;        // check box "Random"
    int delay = 0;         // seconds, exchanged through delayText

protected:
    void DoDataExchange(CDataExchange& dx) override;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    void OnChoose();

    static const MessageMapEntry messageEntries[];
    static const MessageMap messageMap;
};
