// The text viewer: the editor program gets exactly the file's path as its one argument, without a shell; where
// no editor can show it, the program's own window does.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/qt/QtTextViewer.h"
#include "settings/CodePageCodec.h"

class QtTextViewerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pathWithBlanksQuotesAndSemicolon_reachesTheEditorAsOneArgument();
    void missingFile_isRefused();
    void noEditorOrAFailingOne_showsTheFileInAnOwnReadOnlyWindow();

private:
    CodePageCodec m_codec{1253};
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

    QtTextViewer viewer(m_codec, recordingEditor(dir, record));
    QVERIFY(viewer.view(target.toStdString()));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile out(record);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(out.readAll()), "1\n" + target + "\n");
}

void QtTextViewerTest::missingFile_isRefused() {
    QTemporaryDir dir;
    const QString record = dir.filePath("args.txt");
    QtTextViewer viewer(m_codec, recordingEditor(dir, record));
    QVERIFY(!viewer.view(dir.filePath("none.txt").toStdString()));
}

void QtTextViewerTest::noEditorOrAFailingOne_showsTheFileInAnOwnReadOnlyWindow() {
    QTemporaryDir dir;
    const QString target = dir.filePath("Instructions.TXT");
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xc3\xea\xef\xed\xe3\xea\r\n");  // "Γκονγκ" in code page 1253
    file.close();
    for (const QString& editor : {QString("/nonexistent/opener"), QString("false")}) {
        QtTextViewer viewer(m_codec, editor);
        QVERIFY(viewer.view(target.toStdString()));
        QTRY_VERIFY_WITH_TIMEOUT(viewer.ownWindow(target.toStdString()), 10000);
        QPlainTextEdit* window = viewer.ownWindow(target.toStdString());
        QTRY_VERIFY(window->isVisible());
        QVERIFY(window->isReadOnly());
        QVERIFY(QFontInfo(window->font()).fixedPitch());
        QCOMPARE(window->toPlainText(), QString::fromUtf8("Γκονγκ\n"));
    }
}

QTEST_MAIN(QtTextViewerTest)
#include "QtTextViewerTest.moc"
