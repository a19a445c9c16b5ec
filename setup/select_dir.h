// CSelectDir: the directory chooser. The platform's old-style Open dialog with
// template 130, which keeps the drives box, the directory list and a path edit
// and hides everything that deals with files. The edit shows the folder
// selected in the list, or what the user types; OK hands its text back.
#pragma once

#include "framework/edit.h"
#include "framework/file_dialog.h"

#include <string>

class CSelectDir : public CFileDialog {
public:
    explicit CSelectDir(CWnd* parent = nullptr);

    // Opens the chooser in `path`; the start folder is the current directory
    // again when it returns.
    INT_PTR DoModal() override;

    // In: the folder to start in. Out, after IDOK: the accepted text of the edit.
    std::string path;

protected:
    BOOL OnInitDialog() override;
    void OnLBSelChangedNotify(UINT idBox, UINT index, UINT code) override;
    BOOL OnFileNameOK() override;
    void DoDataExchange(CDataExchange& dx) override;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    void OnPaint();
    void FormPathFromList();

    BOOL firstPaint = FALSE;
    std::string startDir;
    CEdit pathEdit;

    static const MessageMapEntry messageEntries[];
    static const MessageMap messageMap;
};
