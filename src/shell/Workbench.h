#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "unitlink/UploadOutcome.h"

struct AppState;
class EraseOperation;
class Form1;
class LanguageApplier;
class LanguageMenu;
class LinkPresenter;
class MDIKVT3310;
class PortConnection;
class SerialLink;
class ServicePanel;
class UploadImage;
class UploadSequence;
class UnitBackup;
class UnitReadBack;
struct Platform;

/// What the program puts around the editor `Form1`: the language and its menu, the unit link with the presenter
/// that shows its reports, the port connection, the erase, the upload and the service panel, each wired to
/// the editor's controls and the main window's menus. The editor knows none of them.
class Workbench {
public:
    Workbench(Platform& platform, AppState& app, MDIKVT3310& mdi, Form1& form);
    ~Workbench();
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    /// The editor becomes active: the remembered settings and language first, then the editor's own
    /// `Form_Activate`.
    void activate();
    /// Whether an upload of a set without any message file, which erases the unit's messages, asks first.
    enum class EmptySet { Ask, Erase };
    /// `Bt_SendMessage_Click`: the editor's set uploaded; after a full upload the set counts as the unit's. A set
    /// without any message file would leave the unit with no message: unless `emptySet` is `Erase`, the user is
    /// asked first, and a No gives nothing, with nothing sent and the port left as it was.
    std::optional<UploadOutcome> sendMessages(EmptySet emptySet = EmptySet::Ask);
    bool uploading() const;
    /// Ends a running upload or read back after the exchange under way (see `UploadSequence::requestStop`).
    void stopUpload();
    /// Runs when an upload has ended and the window is given back, with its outcome.
    std::function<void(const UploadOutcome&)> UploadEnded;
    /// The settings file beside the program.
    std::string settingsFile() const;

    /// `OpenLng`.
    LanguageApplier& language() { return *m_language; }
    /// `LngSel_Click`, `other_Click` and the start language.
    LanguageMenu& languageMenu() { return *m_languageMenu; }
    /// Shows what the link and the upload report: status line, progress, pointer, window, indicator.
    LinkPresenter& presenter() { return *m_presenter; }
    SerialLink& link() { return *m_link; }
    PortConnection& connection() { return *m_connection; }
    EraseOperation& erase() { return *m_erase; }
    /// The unit's memory image and its upload state.
    UploadImage& image() { return *m_image; }
    /// The upload itself; `ProgressStep` runs on the connection's clock.
    UploadSequence& upload() { return *m_upload; }
    ServicePanel& service() { return *m_service; }
    /// Reading the unit back, and writing what came back into a folder.
    UnitReadBack& readBack() { return *m_readBack; }
    UnitBackup& backup() { return *m_backup; }
    /// A read back runs: the window is held, and a close asks whether to stop it.
    bool readingBack() const;

private:
    Platform& m_platform;
    AppState& m_app;
    MDIKVT3310& m_mdi;
    Form1& m_form;
    std::unique_ptr<LanguageApplier> m_language;
    std::unique_ptr<LanguageMenu> m_languageMenu;
    std::unique_ptr<LinkPresenter> m_presenter;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<PortConnection> m_connection;
    std::unique_ptr<EraseOperation> m_erase;
    std::unique_ptr<UploadImage> m_image;
    std::unique_ptr<UploadSequence> m_upload;
    std::unique_ptr<ServicePanel> m_service;
    std::unique_ptr<UnitReadBack> m_readBack;
    std::unique_ptr<UnitBackup> m_backup;
    int m_statusConnection = 0;
};
