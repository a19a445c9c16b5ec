#include "setup/setup_dialog.h"

#include "framework/data_exchange.h"
#include "res/resource.h"
#include "setup/integer_text.h"
#include "setup/select_dir.h"

namespace {
// The longest picture folder the dialog accepts, counted in bytes: with UTF-8
// as the program's code page a character outside ASCII takes two to four.
constexpr int MaxPathChars = 250;
} // namespace

const MessageMapEntry SetupDialog::messageEntries[] = {
    OnCommand<&SetupDialog::OnChoose>(IDC_CHOOSE, BN_CLICKED),
};
const MessageMap SetupDialog::messageMap{&CDialog::messageMap, SetupDialog::messageEntries};

SetupDialog::SetupDialog(const Settings& settings, CWnd* owner)
    : CDialog(IDD_SETUP, owner), settings(settings) {}

// The order matters: a path that is too long stops the exchange before the
// groups, the check boxes and the delay are saved.
void SetupDialog::DoDataExchange(CDataExchange& dx) {
    if (!dx.m_bSaveAndValidate) {
        delayText = FormatInteger(settings.Delay);
    }
    DDX_Text(dx, IDC_DELAY, delayText);
    DDX_Text(dx, IDC_PATH, settings.Path);
    DDV_MaxChars(dx, settings.Path, MaxPathChars);
    DDX_Radio(dx, IDC_LARGE, settings.Size);
    DDX_Radio(dx, IDC_SCATTER, settings.Position);
    DDX_Check(dx, IDC_OVERLAP, settings.Overlap);
    DDX_Check(dx, IDC_RANDOM, settings.Random);
    DDX_Check(dx, IDC_SUBFOLDERS, settings.Subfolders);
    DDX_Check(dx, IDC_FADE, settings.Fade);
    DDX_Check(dx, IDC_FIT, settings.Fit);
    DDX_Check(dx, IDC_KEYS, settings.Keys);
    DDX_Check(dx, IDC_CAPTIONS, settings.Captions);
    DDX_Check(dx, IDC_MOTION, settings.Motion);
    DDX_Check(dx, IDC_PAIRS, settings.Pairs);
    if (dx.m_bSaveAndValidate) {
        ReadInteger(delayText, settings.Delay); // no number: the delay stays as it was
    }
}

// The chooser starts at the last loaded or chosen folder, not at text typed
// since; what it returns replaces the edit's text.
void SetupDialog::OnChoose() {
    CSelectDir chooser(nullptr);
    chooser.path = settings.Path;
    if (chooser.DoModal() == IDOK) {
        settings.Path = chooser.path;
        ::SetDlgItemTextA(m_hWnd, IDC_PATH, settings.Path.c_str());
    }
}
