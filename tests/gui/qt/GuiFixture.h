#pragma once

#include <QDir>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <memory>

#include "gui/qt/EditorView.h"
#include "gui/qt/MainWindowView.h"
#include "shell/Application.h"
#include "support/TestPlatform.h"

/// The program's windows over the real models and the test fakes: started up, the splash over, the
/// main window showing the editor.
struct GuiFixture {
    TestPlatform test;
    Application app{test.platform};
    std::unique_ptr<MainWindowView> main;
    EditorView* editor = nullptr;

    /// `settings`: the settings file the program finds at start, if any.
    explicit GuiFixture(const std::string& settings = {}) {
        if (!settings.empty())
            test.fs.writeFileAtomic(test.folder.file("KVT3310.INI"), settings);
        app.StartUp();
        app.showEditor();
        main = std::make_unique<MainWindowView>(app.mdi());
        editor = new EditorView(app.form());
        main->addEditor(editor);
        main->show();
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(main.get());
    }

    Form1& form() { return app.form(); }
    Workbench& bench() { return app.bench(); }
    MDIKVT3310& mdi() { return app.mdi(); }

    template <typename W>
    W* find(const QString& name) const {
        return main->findChild<W*>(name);
    }
};

/// Saves a picture into the test artefacts folder (env KVT_ARTEFACTS); the path, or empty.
inline QString saveArtefact(const QPixmap& picture, const QString& fileName) {
    QString folder = qEnvironmentVariable("KVT_ARTEFACTS");
    if (folder.isEmpty())
        folder = QDir::temp().filePath("kvt3310-artefacts");
    if (!QDir().mkpath(folder))
        return {};
    const QString path = QDir(folder).filePath(fileName);
    return picture.save(path) ? path : QString();
}

inline QString saveArtefact(QWidget* widget, const QString& fileName) {
    return saveArtefact(widget->grab(), fileName);
}
