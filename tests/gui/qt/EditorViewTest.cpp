// The editor window's widgets: present under their names, in their start state, following the model and
// passing the user's input to it; and a picture of the whole window.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>

#include "EditorFit.h"
#include "GuiFixture.h"

class EditorViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newEditor_showsEveryControlWithEnglishCaptionsAndStartState();
    void headings_showTheirEnglishCaptions();
    void modelChanges_showInTheWidgets();
    void userInput_reachesTheModel();
    void stepBox_takesOnlyValuesFromItsList();
    void emptyingAName_runsTheChangeAtOnce();
    void greekCaption_andFontSize_show();
    void window_isSavedAsPicture();
};

void EditorViewTest::newEditor_showsEveryControlWithEnglishCaptionsAndStartState() {
    GuiFixture f;
    for (int i = 1; i <= Form1::kSlots; ++i) {
        const QString n = QString::number(i);
        auto* number = f.find<QLabel>("Lb_Msg_" + n);
        auto* name = f.find<QLineEdit>("WaveFile_" + n);
        auto* browse = f.find<QPushButton>("Bt_Browse_" + n);
        auto* play = f.find<QPushButton>("MsgBt_" + n);
        QVERIFY2(number && name && browse && play, qPrintable("slot " + n));
        QVERIFY(f.find<QLabel>("MsgTime_" + n) && f.find<QLabel>("MsgSize_" + n) && f.find<QLabel>("MsgSample_" + n));
        QCOMPARE(number->text(), n);
        QCOMPARE(name->text(), QString());
        QCOMPARE(browse->text(), QString("Browse"));
        QCOMPARE(browse->isEnabled(), i == 1);
        QCOMPARE(play->text(), QString(">"));
        QVERIFY(!play->isEnabled());
    }
    for (int t = 1; t <= Form1::kTriggers; ++t) {
        const QString n = QString::number(t);
        QCOMPARE(f.find<QLabel>("Lb_TRG_" + n)->text(), n);
        QVERIFY(!f.find<QPushButton>("TrgBt_" + n)->isEnabled());
        QVERIFY(f.find<QLabel>("TrgTime_" + n));
    }
    for (int s = 1; s <= Form1::kTriggers * Form1::kSteps; ++s) {
        auto* step = f.find<QComboBox>("TRG1_" + QString::number(s));
        QVERIFY2(step, qPrintable(QString::number(s)));
        QCOMPARE(step->isEnabled(), s % Form1::kSteps == 1);
        QVERIFY(!step->isEditable());
    }
    for (int c = 1; c <= Form1::kTriggers * Form1::kZones; ++c) {
        auto* zone = f.find<QCheckBox>("Check1_" + QString::number(c));
        QVERIFY2(zone, qPrintable(QString::number(c)));
        QVERIFY(!zone->isChecked());
    }
    QCOMPARE(f.find<QPushButton>("Bt_SendMessage")->text(), QString("Send messages and configuration"));
    QVERIFY(f.find<QWidget>("imgNotConnected")->isVisible());
    QVERIFY(f.find<QWidget>("imgConnected")->isHidden());
    QVERIFY(f.find<QProgressBar>("ProgressBar1")->isHidden());
    QVERIFY(f.find<QLabel>("Lb_Percentage"));
    QVERIFY(f.find<QWidget>("Picture1")->isHidden());
    QVERIFY(f.find<QLabel>("MDI_MsgInfo_0")->isHidden());
    QCOMPARE(f.find<QLabel>("MDI_MsgInfo_0")->text(), QString("Do you want to save the changes?"));
    QVERIFY(f.find<QStatusBar>("sbrStatus"));
    for (int p = 1; p <= StatusBar::kPanels; ++p)
        QCOMPARE(f.find<QLabel>(QString("sbrStatus_%1").arg(p))->text(),
                 QString::fromStdString(f.form().sbrStatus.panelText(p)));
    QVERIFY(f.find<QLabel>("sbrStatus_1")->text().startsWith("Status:"));
}

void EditorViewTest::headings_showTheirEnglishCaptions() {
    GuiFixture f;
    QCOMPARE(f.find<QGroupBox>("Frame1_0")->title(), QString("Message"));
    QCOMPARE(f.find<QGroupBox>("Frame1_1")->title(), QString("Trigger"));
    const std::vector<std::pair<const char*, const char*>> headings = {
        {"Lb_Message_File", "File"},       {"Lb_Message_Play", "Play"},
        {"Lb_Message_Time_0", "Time"},     {"Lb_Message_Time_1", "[s]"},
        {"Lb_Message_Size_0", "Size"},     {"Lb_Message_Size_1", "kB"},
        {"Lb_Message_Sample_0", "Sample"}, {"Lb_Message_Sample_1", "[Khz]"},
        {"Lb_Trigger_Play", "Play"},       {"Lb_Trigger_Ms", "Message sequence"},
        {"Lb_Trigger_Time_0", "Time"},     {"Lb_Trigger_Time_1", "[s]"},
        {"Lb_Trigger_Zones_0", "Zones"},   {"Lb_Total", "Total"}};
    for (const auto& [name, caption] : headings) {
        auto* label = f.find<QLabel>(name);
        QVERIFY2(label, name);
        QCOMPARE(label->text(), QString(caption));
    }
    for (int z = 1; z <= Form1::kZones; ++z)
        QCOMPARE(f.find<QLabel>(QString("Lb_Trigger_Zones_%1").arg(z))->text(), QString::number(z));
}

void EditorViewTest::modelChanges_showInTheWidgets() {
    GuiFixture f;
    Form1& form = f.form();
    form.WaveFile[3].setText("bell");
    form.MsgTime[3].setCaption("1.40");
    form.Bt_Browse[4].setEnabled(true);
    form.MsgBt[3].setCaption("-");
    form.Check1[72].setValue(1);
    form.imgConnected.setVisible(true);
    form.imgNotConnected.setVisible(false);
    form.ProgressBar1.setVisible(true);
    form.ProgressBar1.setValue(40);
    form.sbrStatus.setPanelText(3, "00:01:05");
    f.mdi().setCaption("KVT3310 set up MessageSetup.cfg");

    QCOMPARE(f.find<QLineEdit>("WaveFile_3")->text(), QString("bell"));
    QCOMPARE(f.find<QLabel>("MsgTime_3")->text(), QString("1.40"));
    QVERIFY(f.find<QPushButton>("Bt_Browse_4")->isEnabled());
    QCOMPARE(f.find<QPushButton>("MsgBt_3")->text(), QString("-"));
    QVERIFY(f.find<QCheckBox>("Check1_72")->isChecked());
    QVERIFY(f.find<QWidget>("imgConnected")->isVisible());
    QVERIFY(f.find<QWidget>("imgNotConnected")->isHidden());
    QVERIFY(f.find<QProgressBar>("ProgressBar1")->isVisible());
    QCOMPARE(f.find<QProgressBar>("ProgressBar1")->value(), 40);
    QCOMPARE(f.find<QLabel>("sbrStatus_3")->text(), QString("00:01:05"));
    QCOMPARE(f.main->windowTitle(), QString("KVT3310 set up MessageSetup.cfg"));
}

void EditorViewTest::userInput_reachesTheModel() {
    GuiFixture f;
    Form1& form = f.form();
    int sends = 0, connects = 0;
    form.Bt_SendMessage.Click = [&] { ++sends; };
    form.imgNotConnected.Click = [&] { ++connects; };

    QTest::mouseClick(f.find<QPushButton>("Bt_SendMessage"), Qt::LeftButton);
    QCOMPARE(sends, 1);
    auto* indicator = f.find<QWidget>("imgNotConnected");
    QTest::mouseClick(indicator, Qt::LeftButton, {}, indicator->rect().center());
    QCOMPARE(connects, 1);

    // A disabled button passes nothing on.
    form.Bt_SendMessage.setEnabled(false);
    QTest::mouseClick(f.find<QPushButton>("Bt_SendMessage"), Qt::LeftButton);
    QCOMPARE(sends, 1);

    auto* zone = f.find<QCheckBox>("Check1_8");
    QTest::mouseClick(zone, Qt::LeftButton, {}, zone->rect().center());
    QCOMPARE(form.Check1[8].value(), 1);
    QVERIFY(f.app.app().blnChanged);
    QTest::mouseClick(zone, Qt::LeftButton, {}, zone->rect().center());
    QCOMPARE(form.Check1[8].value(), 0);
    QVERIFY(!zone->isChecked());

    // A handler that refuses the change keeps the box as the model has it.
    form.Check1[9].Click = [&] { form.Check1[9].setValue(0); };
    auto* refused = f.find<QCheckBox>("Check1_9");
    QTest::mouseClick(refused, Qt::LeftButton, {}, refused->rect().center());
    QCOMPARE(form.Check1[9].value(), 0);
    QVERIFY(!refused->isChecked());
}

void EditorViewTest::stepBox_takesOnlyValuesFromItsList() {
    GuiFixture f;
    ComboBox& model = f.form().TRG1[1];
    int dropDowns = 0, lostFocus = 0, keys = 0;
    std::vector<std::string> picked;
    model.DropDown = [&] { ++dropDowns; };
    model.Click = [&] { picked.push_back(model.text()); };
    model.LostFocus = [&] { ++lostFocus; };
    model.KeyDown = [&](int&, int) { ++keys; };
    for (const char* item : {" ", "1", "2"})
        model.addItem(item);

    auto* step = f.find<QComboBox>("TRG1_1");
    QCOMPARE(step->count(), 3);
    QCOMPARE(step->itemText(2), QString("2"));

    model.setLocked(false);
    step->setFocus();
    QTest::keyClick(step, Qt::Key_Down);
    QTest::keyClick(step, Qt::Key_Down);
    QCOMPARE(keys, 2);
    QCOMPARE(picked, std::vector<std::string>({" ", "1"}));
    QCOMPARE(model.text(), std::string("1"));

    // A locked step refuses the pick, and the box goes back to what the model holds.
    model.setLocked(true);
    QTest::keyClick(step, Qt::Key_Down);
    QCOMPARE(model.text(), std::string("1"));
    QCOMPARE(step->currentText(), QString("1"));
    QCOMPARE(picked.size(), std::size_t{2});

    // Opening the list is no loss of the focus.
    step->showPopup();
    QCOMPARE(dropDowns, 1);
    step->hidePopup();
    QCOMPARE(lostFocus, 0);

    // A text that is not in the list, as an opened configuration can bring, shows without being added.
    model.setText("7");
    QCOMPARE(step->currentIndex(), -1);
    QCOMPARE(step->placeholderText(), QString("7"));
    QCOMPARE(step->count(), 3);

    f.find<QLineEdit>("WaveFile_1")->setFocus();
    QCOMPARE(lostFocus, 1);
}

void EditorViewTest::emptyingAName_runsTheChangeAtOnce() {
    GuiFixture f;
    std::vector<std::string> changes;
    TextBox& model = f.form().WaveFile[2];
    model.setText("gong");
    model.Change = [&] { changes.push_back(model.text()); };
    auto* name = f.find<QLineEdit>("WaveFile_2");
    QCOMPARE(name->text(), QString("gong"));
    name->setEnabled(true);
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(changes, std::vector<std::string>({""}));
    QCOMPARE(model.text(), std::string());
}

void EditorViewTest::greekCaption_andFontSize_show() {
    GuiFixture f;
    Label& label = f.form().Lb_Total;
    label.setCharset(161);
    label.setCaption("Σύνολο");
    label.setFontSize(14);
    auto* widget = f.find<QLabel>("Lb_Total");
    QCOMPARE(widget->text(), QString::fromUtf8("Σύνολο"));
    QCOMPARE(widget->font().pointSize(), 14);
    label.setFontSize(0);
    QVERIFY(widget->font().pointSize() != 14);
}

void EditorViewTest::window_isSavedAsPicture() {
    GuiFixture f;
    // A realistic set: two slots filled and a trigger using them.
    Form1& form = f.form();
    form.WaveFile[1].setText("gong");
    form.MsgTime[1].setCaption("1.40");
    form.MsgSize[1].setCaption("32");
    form.MsgSample[1].setCaption("22.050");
    form.MsgBt[1].setEnabled(true);
    form.Bt_Browse[2].setEnabled(true);
    form.TRG1[1].addItem(" ");
    form.TRG1[1].addItem("1");
    form.TRG1[1].setText("1");
    form.TrgTime[1].setCaption("1.40");
    form.Check1[1].setValue(1);
    form.TotalTime.setCaption("1.40");
    form.TotalSize.setCaption("32");
    // The test screen is smaller than a desktop's; the window takes the size it asks for.
    f.main->resize(f.main->sizeHint());
    QTest::qWait(50);
    auto* scroll = f.find<QScrollArea>("Form1_scroll");
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());

    // Nothing is clipped: the window shows the whole form without scrolling, every text whole.
    auto* page = f.find<QWidget>("Form1_page");
    QVERIFY(page->width() >= page->sizeHint().width());
    QVERIFY(page->height() >= page->sizeHint().height());
    for (auto* label : f.editor->findChildren<QLabel*>()) {
        if (label->isHidden() || label->text().isEmpty())
            continue;
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                 qPrintable(label->objectName()));
    }
    const QString path = saveArtefact(f.main.get(), "main-window-100.png");
    QVERIFY2(!path.isEmpty(), "picture not saved");
    qInfo("window picture: %s (%dx%d)", qPrintable(path), f.main->width(), f.main->height());
}

int main(int argc, char** argv) {
    // A screen that holds the whole window, which otherwise keeps to the screen and scrolls.
    EditorFit::useScreen(1920, 1080, "1");
    QApplication app(argc, argv);
    EditorViewTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "EditorViewTest.moc"
