#include "shell/SettingsBinding.h"

#include "editor/Form1.h"
#include "settings/AppState.h"
#include "settings/SettingsFile.h"
#include "shell/MDIKVT3310.h"
#include "unitlink/ProtocolTrace.h"
#include "unitlink/SerialLink.h"

Settings SettingsBinding::current() const {
    const Form1& f = m_form;
    const LinkSettings& l = m_link.settings;
    const AppState& app = m_form.app();
    ProtocolTrace& trace = m_link.trace();
    Settings s;
    s.CommTimeOut = l.CommTimeOut;
    s.Commport = l.Commport;
    s.Bret = l.Bret;
    s.Pchk = l.Pchk;
    s.Dbit = l.Dbit;
    s.Sbit = l.Sbit;
    s.PortName = l.PortName;
    s.Com1Device = l.Com1Device;
    s.Com2Device = l.Com2Device;
    s.strLNGFilePath = app.strLNGFilePath;
    s.stroLNGFilePath = app.stroLNGFilePath;
    s.stroLNGFilePathType = app.stroLNGFilePathType;
    s.LanguageFile = f.LanguageFile;
    s.strMSGFilePath = app.strMSGFilePath;
    s.MessageFile = f.MessageFile;
    s.strWAVFilePath = app.strWAVFilePath;
    s.trace = trace.enabled();
    s.traceLimit = trace.limit();
    return s;
}

void SettingsBinding::take(const Settings& s) {
    Form1& f = m_form;
    LinkSettings& l = m_link.settings;
    AppState& app = m_form.app();
    l.CommTimeOut = s.CommTimeOut;
    l.Commport = s.Commport;
    l.Bret = s.Bret;
    l.Pchk = s.Pchk;
    l.Dbit = s.Dbit;
    l.Sbit = s.Sbit;
    l.PortName = s.PortName;
    l.Com1Device = s.Com1Device;
    l.Com2Device = s.Com2Device;
    app.strLNGFilePath = s.strLNGFilePath;
    app.stroLNGFilePath = s.stroLNGFilePath;
    app.stroLNGFilePathType = s.stroLNGFilePathType;
    f.LanguageFile = s.LanguageFile;
    app.strMSGFilePath = s.strMSGFilePath;
    f.MessageFile = s.MessageFile;
    app.strWAVFilePath = s.strWAVFilePath;
}

void SettingsBinding::fail(const std::string& detail) {
    m_form.platform().msgBox.Beep();
    m_form.platform().msgBox.MsgBox(m_form.MsgText[8] + detail, IMessageBox::vbQuestion | IMessageBox::vbOKOnly,
                                    m_form.Caption);
}

bool SettingsBinding::SaveIni(const std::string& file) {
    SettingsFile settingsFile(m_form.platform().fs, m_form.platform().codec,
                              m_form.platform().serial.portsAreDeviceFiles());
    switch (settingsFile.SaveIni(file, current())) {
        case SettingsFile::SaveResult::Saved:
            return true;
        case SettingsFile::SaveResult::Unwritable:
            fail("\n" + settingsFile.unwritable());
            return false;
        case SettingsFile::SaveResult::Unreadable:
        case SettingsFile::SaveResult::NotStored:
            // The user is told which file could not be written (a read-only folder, a full disk).
            fail("\n\n" + file);
            return false;
    }
    return false;
}

bool SettingsBinding::OpenIni(const std::string& file) {
    using Result = SettingsFile::OpenResult;
    Settings s = current();
    const Result result =
        SettingsFile(m_form.platform().fs, m_form.platform().codec, m_form.platform().serial.portsAreDeviceFiles())
            .OpenIni(file, s);
    take(s);
    MDIKVT3310& mdi = m_mdi;
    // The port number's mark is set once the number has been read, the other marks and the trace only when the
    // whole file has.
    if (result == Result::Read || result == Result::BadLanguageType) {
        mdi.Com1.setChecked(s.Commport == 1);
        mdi.Com2.setChecked(s.Commport != 1);
    }
    if (result != Result::Read) {
        fail();
        return false;
    }
    if (!s.PortName.empty()) {
        // The listed port carries the mark from the next look at the list on.
        mdi.Com1.setChecked(false);
        mdi.Com2.setChecked(false);
    }
    // Only what the file changes: switching the trace on or off is itself written to the trace.
    ProtocolTrace& trace = m_link.trace();
    if (s.traceLimit != trace.limit())
        trace.setLimit(s.traceLimit);
    if (s.trace != trace.enabled())
        trace.setEnabled(s.trace);
    return true;
}
