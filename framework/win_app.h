// CWinApp: the one application object of the process. WinMain hands it the
// module, calls InitInstance once and, when that succeeds, runs the message loop
// until the quit message.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CWnd;

class CWinApp {
public:
    // Without a name, the application is named after its program file.
    explicit CWinApp(const char* appName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return FALSE; }
    // The message loop; returns the quit message's exit code.
    virtual int Run();

    // Dialog controls take the three-dimensional look; the application manifest
    // (common controls 6) provides it, so nothing is left to do at run time.
    void Enable3dControls() {}

    // From now on the profile functions use HKEY_CURRENT_USER\Software\<company>\<app>.
    void SetRegistryKey(const char* company) { registryKey = company; }
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    std::string GetProfileString(const char* section, const char* entry,
                                 const char* defaultValue) const;
    virtual BOOL WriteProfileInt(const char* section, const char* entry, int value) const;
    virtual BOOL WriteProfileString(const char* section, const char* entry,
                                    const char* value) const;
    // Bytes: REG_BINARY of at most `limit` bytes; anything else, a longer
    // value too, reads as none, and a longer one is not read at all.
    std::vector<uint8_t> GetProfileBinary(const char* section, const char* entry,
                                          std::size_t limit) const;
    BOOL WriteProfileBinary(const char* section, const char* entry,
                            const std::vector<uint8_t>& bytes) const;

    // The application title: the program file's name without folder and extension.
    const std::string& AppName() const { return appName; }
    const std::string& RegistryKey() const { return registryKey; }

    // The argument vector the C runtime built from the command line (0 is the program).
    int ArgumentCount() const;
    const char* Argument(int index) const;

    // Called by WinMain before InitInstance.
    void SetInstance(HINSTANCE instance);

    // Another thread of the program is still inside a call that may never
    // return (a file on a share that stopped answering): when the message loop
    // has ended, WinMain ends the process at once, without the run-time
    // library's clean-up, which would wait for a file that thread is reading.
    void LeaveBlockedThreadBehind() { blockedThreadLeft = true; }
    bool BlockedThreadLeft() const { return blockedThreadLeft; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;

private:
    std::string appName;
    std::string registryKey;
    bool blockedThreadLeft = false;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
