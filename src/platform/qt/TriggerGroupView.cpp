#include "platform/qt/TriggerGroupView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "editor/Form1.h"
#include "platform/qt/ControlBinding.h"
#include "platform/qt/FormMetrics.h"
#include "platform/qt/ModelComboBox.h"

namespace {

constexpr int kNumber = 0, kPlay = 1, kFirstStep = 2, kTime = kFirstStep + Form1::kSteps, kFirstZone = kTime + 1;
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

}  // namespace

TriggerGroupView::TriggerGroupView(Form1& form, int rowHeight, QWidget* parent) : QGroupBox(parent) {
    setObjectName("Frame1_1");
    ControlBinding::bind(this, form.Frame1[1]);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(FormMetrics::kColumnSpacing);
    grid->setVerticalSpacing(FormMetrics::kRowSpacing);

    const auto centre = Qt::AlignHCenter, right = Qt::AlignRight;
    grid->addWidget(heading(form.Lb_Trigger_Play, "Lb_Trigger_Play", centre, this), 0, kPlay);
    grid->addWidget(heading(form.Lb_Trigger_Ms, "Lb_Trigger_Ms", centre, this), 0, kFirstStep, 1, Form1::kSteps);
    grid->addWidget(heading(form.Lb_Trigger_Time[0], "Lb_Trigger_Time_0", right, this), 0, kTime);
    grid->addWidget(heading(form.Lb_Trigger_Time[1], "Lb_Trigger_Time_1", right, this), 1, kTime);
    grid->addWidget(heading(form.Lb_Trigger_Zones[0], "Lb_Trigger_Zones_0", centre, this), 0, kFirstZone, 1,
                    Form1::kZones);
    for (int z = 1; z <= Form1::kZones; ++z)
        grid->addWidget(heading(form.Lb_Trigger_Zones[z], indexed("Lb_Trigger_Zones", z), centre, this), 1,
                        kFirstZone + z - 1);

    for (int t = 1; t <= Form1::kTriggers; ++t) {
        const int row = kHeadingRows + t - 1;
        grid->setRowMinimumHeight(row, rowHeight);

        auto* number = new QLabel(this);
        number->setObjectName(indexed("Lb_TRG", t));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setMinimumWidth(FormMetrics::textWidth(number, "00"));
        ControlBinding::bind(number, form.Lb_TRG[t]);
        grid->addWidget(number, row, kNumber);

        auto* play = new QPushButton(this);
        play->setObjectName(indexed("TrgBt", t));
        play->setFixedSize(std::max(rowHeight, FormMetrics::textWidth(play, "MM")) + 8, rowHeight);
        ControlBinding::bind(play, form.TrgBt[t]);
        grid->addWidget(play, row, kPlay, Qt::AlignHCenter);

        for (int k = 1; k <= Form1::kSteps; ++k) {
            const int s = Form1::kSteps * (t - 1) + k;
            auto* step = new ModelComboBox(form.TRG1[s], this);
            step->setObjectName(indexed("TRG1", s));
            step->setMinimumContentsLength(2);
            step->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            step->setIconSize(QSize(0, 0));
            step->setFixedHeight(rowHeight);
            ControlBinding::bind(step, form.TRG1[s]);
            grid->addWidget(step, row, kFirstStep + k - 1);
        }

        auto* time = new QLabel(this);
        time->setObjectName(indexed("TrgTime", t));
        time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        time->setMinimumWidth(FormMetrics::textWidth(time, "00000.00"));
        ControlBinding::bind(time, form.TrgTime[t]);
        grid->addWidget(time, row, kTime);

        for (int z = 1; z <= Form1::kZones; ++z) {
            const int c = Form1::kZones * (t - 1) + z;
            auto* zone = new QCheckBox(this);
            zone->setObjectName(indexed("Check1", c));
            ControlBinding::bind(zone, form.Check1[c]);
            grid->addWidget(zone, row, kFirstZone + z - 1, Qt::AlignCenter);
        }
    }
    // Keeps the rows level with the other group, whose totals row lies below its last slot.
    grid->setRowStretch(kHeadingRows + Form1::kTriggers, 1);
}
