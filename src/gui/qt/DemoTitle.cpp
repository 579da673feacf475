#include "gui/qt/DemoTitle.h"

#include <QWidget>

#include "platform/IFileSystem.h"
#include "platform/ITextCodec.h"
#include "settings/IniProcedures.h"

QString DemoTitle::note(IFileSystem& fs, const ITextCodec& codec) {
    IniProcedures ini(fs, codec);
    auto unit = ini.ReadIni("Demo", "Unit", fs.programFolder() + fs.separator() + "KVT3310.INI");
    if (!unit)
        return {};
    return "DEMO: " + QString::fromStdString(*unit);
}

void DemoTitle::mark(QWidget& window, const QString& note) {
    const QString suffix = "  [" + note + "]";
    auto apply = [&window, suffix](const QString& title) {
        if (!title.endsWith(suffix))
            window.setWindowTitle(title + suffix);
    };
    QObject::connect(&window, &QWidget::windowTitleChanged, &window, apply);
    apply(window.windowTitle());
}
