#include "gui/qt/TriggerGroupView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "editor/Form1.h"
#include "gui/qt/ControlBinding.h"
#include "gui/qt/GroupCells.h"
#include "gui/qt/ModelComboBox.h"

namespace {

constexpr int kNumber = 0, kPlay = 1, kFirstStep = 2, kTime = kFirstStep + Form1::kSteps, kFirstZone = kTime + 1;
constexpr int kHeadingRows = 2;

using namespace GroupCells;

}  // namespace

TriggerGroupView::TriggerGroupView(Form1& form, int rowHeight, QWidget* parent) : QGroupBox(parent) {
    auto* grid = GroupCells::grid(this, form.Frame1[1], "Frame1_1");

    const auto centre = Qt::AlignHCenter, right = Qt::AlignRight;
    // A long caption of the play column reaches over the number column, which has none.
    grid->addWidget(heading(form.Lb_Trigger_Play, "Lb_Trigger_Play", Qt::AlignRight, this), 0, kNumber, 1, 2);
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

        grid->addWidget(value(form.Lb_TRG[t], indexed("Lb_TRG", t), "00", this), row, kNumber);

        grid->addWidget(GroupCells::playButton(form.TrgBt[t], indexed("TrgBt", t), rowHeight, this), row, kPlay,
                        Qt::AlignHCenter);

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

        grid->addWidget(value(form.TrgTime[t], indexed("TrgTime", t), "0000.00", this), row, kTime);

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
