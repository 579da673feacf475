#include "platform/win32/desktop/Win32FileDialog.h"

#include <windows.h>
// After windows.h:
#include <commdlg.h>
#include <shobjidl.h>

#include <vector>

#include "platform/win32/desktop/ModalLoopTurns.h"
#include "platform/win32/desktop/WideText.h"

namespace {

/// Releases a COM interface as it goes out of scope.
template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p)
            p->Release();
    }
};

std::wstring backslashed(std::wstring path) {
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

}  // namespace

std::wstring Win32FileDialog::systemFilter(const std::string& filter) {
    std::wstring out = WideText::wide(filter);
    for (wchar_t& c : out)
        if (c == L'|')
            c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

std::optional<std::string> Win32FileDialog::run(const FileDialogRequest& request) {
    if (request.folder)
        return pickFolder(request);
    const std::wstring filter = systemFilter(request.filter);
    const std::wstring initDir = backslashed(WideText::wide(request.initDir));
    const std::wstring title = WideText::wide(request.title);
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring name = backslashed(WideText::wide(request.fileName));
    if (name.size() < file.size())
        name.copy(file.data(), name.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initDir.empty() ? nullptr : initDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    BOOL chosen = FALSE;
    const ModalLoopTurns turns;
    if (request.save) {
        if (request.overwritePrompt)
            ofn.Flags |= OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameW(&ofn);
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameW(&ofn);
    }
    if (!chosen)
        return std::nullopt;
    return WideText::utf8(file.data());
}

std::optional<std::string> Win32FileDialog::pickFolder(const FileDialogRequest& request) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::optional<std::string> chosen;
    Released<IFileOpenDialog> dialog;
    if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog.p)))) {
        FILEOPENDIALOGOPTIONS options = 0;
        dialog.p->GetOptions(&options);
        dialog.p->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
        if (!request.title.empty())
            dialog.p->SetTitle(WideText::wide(request.title).c_str());
        Released<IShellItem> start;
        const std::wstring initDir = backslashed(WideText::wide(request.initDir));
        if (!initDir.empty() &&
            SUCCEEDED(SHCreateItemFromParsingName(initDir.c_str(), nullptr, IID_PPV_ARGS(&start.p))))
            dialog.p->SetFolder(start.p);
        Released<IShellItem> result;
        const ModalLoopTurns turns;
        if (SUCCEEDED(dialog.p->Show(GetActiveWindow())) && SUCCEEDED(dialog.p->GetResult(&result.p))) {
            PWSTR path = nullptr;
            if (SUCCEEDED(result.p->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
                chosen = WideText::utf8(path);
                CoTaskMemFree(path);
            }
        }
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return chosen;
}
