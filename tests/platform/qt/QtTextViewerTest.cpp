// The text viewer: the editor program gets exactly the file's path as its one argument, without a shell.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/qt/QtTextViewer.h"

class QtTextViewerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pathWithBlanksQuotesAndSemicolon_reachesTheEditorAsOneArgument();
    void missingFile_isRefused();

private:
    /// A stand-in editor: writes its argument count and arguments, one per line, to `record`.
    static QString recordingEditor(const QTemporaryDir& dir, const QString& record) {
        const QString script = dir.filePath("editor.sh");
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record + ".part'\nmv '" + record + ".part' '" +
                    record + "'\n")
                       .toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
};

void QtTextViewerTest::pathWithBlanksQuotesAndSemicolon_reachesTheEditorAsOneArgument() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString record = dir.filePath("args.txt");
    const QString target = dir.filePath("my \"print\" 'x'; rm -rf nothing.txt");
    QFile(target).open(QIODevice::WriteOnly);

    QtTextViewer viewer(recordingEditor(dir, record));
    QVERIFY(viewer.view(target.toStdString()));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile out(record);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(out.readAll()), "1\n" + target + "\n");
}

void QtTextViewerTest::missingFile_isRefused() {
    QTemporaryDir dir;
    const QString record = dir.filePath("args.txt");
    QtTextViewer viewer(recordingEditor(dir, record));
    QVERIFY(!viewer.view(dir.filePath("none.txt").toStdString()));
}

QTEST_GUILESS_MAIN(QtTextViewerTest)
#include "QtTextViewerTest.moc"
