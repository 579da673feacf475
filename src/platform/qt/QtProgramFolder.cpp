#include "platform/qt/QtProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "platform/ProgramFolder.h"

std::string QtProgramFolder::userFolder() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        return {};
    return QDir::toNativeSeparators(config + "/KVT3310").toStdString();
}

std::string QtProgramFolder::resolve() {
    const std::string installed = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    return ProgramFolder().choose(installed, userFolder());
}
