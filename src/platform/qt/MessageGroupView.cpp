#include "platform/qt/MessageGroupView.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/Form1.h"
#include "platform/qt/ControlBinding.h"
#include "platform/qt/FormMetrics.h"

namespace {

enum Column { kNumber, kFile, kBrowse, kPlay, kTime, kSize, kSample, kColumns };
constexpr int kHeadingRows = 2;

QString indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

QLabel* heading(Label& model, const QString& name, Qt::Alignment align, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignBottom);
    ControlBinding::bind(label, model);
    return label;
}

QLabel* value(Label& model, const QString& name, const QString& widest, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(FormMetrics::textWidth(label, widest));
    ControlBinding::bind(label, model);
    return label;
}

}  // namespace

MessageGroupView::MessageGroupView(Form1& form, int rowHeight, QWidget* parent) : QGroupBox(parent) {
    setObjectName("Frame1_0");
    ControlBinding::bind(this, form.Frame1[0]);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(FormMetrics::kColumnSpacing);
    grid->setVerticalSpacing(FormMetrics::kRowSpacing);

    const auto left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
    grid->addWidget(heading(form.Lb_Message_File, "Lb_Message_File", left, this), 0, kFile);
    grid->addWidget(heading(form.Lb_Message_Play, "Lb_Message_Play", centre, this), 0, kPlay);
    grid->addWidget(heading(form.Lb_Message_Time[0], "Lb_Message_Time_0", right, this), 0, kTime);
    grid->addWidget(heading(form.Lb_Message_Time[1], "Lb_Message_Time_1", right, this), 1, kTime);
    grid->addWidget(heading(form.Lb_Message_Size[0], "Lb_Message_Size_0", right, this), 0, kSize);
    grid->addWidget(heading(form.Lb_Message_Size[1], "Lb_Message_Size_1", right, this), 1, kSize);
    grid->addWidget(heading(form.Lb_Message_Sample[0], "Lb_Message_Sample_0", right, this), 0, kSample);
    grid->addWidget(heading(form.Lb_Message_Sample[1], "Lb_Message_Sample_1", right, this), 1, kSample);

    for (int i = 1; i <= Form1::kSlots; ++i) {
        const int row = kHeadingRows + i - 1;
        grid->setRowMinimumHeight(row, rowHeight);

        auto* number = new QLabel(this);
        number->setObjectName(indexed("Lb_Msg", i));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setMinimumWidth(FormMetrics::textWidth(number, "00"));
        ControlBinding::bind(number, form.Lb_Msg[i]);
        grid->addWidget(number, row, kNumber);

        auto* name = new QLineEdit(this);
        name->setObjectName(indexed("WaveFile", i));
        name->setMinimumWidth(FormMetrics::textWidth(name, QString(18, 'n')));
        name->setFixedHeight(rowHeight);
        ControlBinding::bind(name, form.WaveFile[i]);
        grid->addWidget(name, row, kFile);

        auto* browse = new QPushButton(this);
        browse->setObjectName(indexed("Bt_Browse", i));
        browse->setFixedHeight(rowHeight);
        ControlBinding::bind(browse, form.Bt_Browse[i]);
        grid->addWidget(browse, row, kBrowse);

        auto* play = new QPushButton(this);
        play->setObjectName(indexed("MsgBt", i));
        play->setFixedSize(std::max(rowHeight, FormMetrics::textWidth(play, "MM")) + 8, rowHeight);
        ControlBinding::bind(play, form.MsgBt[i]);
        grid->addWidget(play, row, kPlay, Qt::AlignHCenter);

        grid->addWidget(value(form.MsgTime[i], indexed("MsgTime", i), "00000.00", this), row, kTime);
        grid->addWidget(value(form.MsgSize[i], indexed("MsgSize", i), "00000", this), row, kSize);
        grid->addWidget(value(form.MsgSample[i], indexed("MsgSample", i), "00.000", this), row, kSample);
    }

    const int lineRow = kHeadingRows + Form1::kSlots;
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, lineRow, kNumber, 1, kColumns);

    const int totalRow = lineRow + 1;
    grid->setRowMinimumHeight(totalRow, rowHeight);
    auto* total = new QLabel(this);
    total->setObjectName("Lb_Total");
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ControlBinding::bind(total, form.Lb_Total);
    grid->addWidget(total, totalRow, kNumber, 1, kTime);
    grid->addWidget(value(form.TotalTime, "TotalTime", "00000.00", this), totalRow, kTime);
    grid->addWidget(value(form.TotalSize, "TotalSize", "00000", this), totalRow, kSize);

    grid->setColumnStretch(kFile, 1);
    grid->setRowStretch(totalRow + 1, 1);
}
