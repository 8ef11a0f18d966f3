#include "platform/windows/nvda_endpoint.h"

#include "platform/windows/win32.h"

namespace velloxa {

std::wstring nvda_endpoint() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    std::wstring desktop_name = L"Default";
    const HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
    wchar_t name[256] = {};
    DWORD needed = 0;
    if (desktop &&
        GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name - sizeof name[0], &needed))
        desktop_name = name;
    return L"NvdaCtlr." + std::to_wstring(session) + L"." + desktop_name;
}

}  // namespace velloxa
