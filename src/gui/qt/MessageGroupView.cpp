#include "gui/qt/MessageGroupView.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/Form1.h"
#include "gui/qt/ControlBinding.h"
#include "gui/qt/FittedButton.h"
#include "gui/qt/FormMetrics.h"
#include "gui/qt/GroupCells.h"
#include "gui/qt/WaveDropFilter.h"

namespace {

enum Column { kNumber, kFile, kBrowse, kPlay, kTime, kSize, kSample, kColumns };
constexpr int kHeadingRows = 2;

using namespace GroupCells;

}  // namespace

MessageGroupView::MessageGroupView(Form1& form, int rowHeight, QWidget* parent) : QGroupBox(parent) {
    auto* grid = GroupCells::grid(this, form.Frame1[0], "Frame1_0");

    const auto left = Qt::AlignLeft, right = Qt::AlignRight;
    grid->addWidget(heading(form.Lb_Message_File, "Lb_Message_File", left, this), 0, kFile);
    // A long caption of the play column reaches over the Browse column, which has none.
    grid->addWidget(heading(form.Lb_Message_Play, "Lb_Message_Play", right, this), 0, kBrowse, 1, 2);
    grid->addWidget(heading(form.Lb_Message_Time[0], "Lb_Message_Time_0", right, this), 0, kTime);
    grid->addWidget(heading(form.Lb_Message_Time[1], "Lb_Message_Time_1", right, this), 1, kTime);
    grid->addWidget(heading(form.Lb_Message_Size[0], "Lb_Message_Size_0", right, this), 0, kSize);
    grid->addWidget(heading(form.Lb_Message_Size[1], "Lb_Message_Size_1", right, this), 1, kSize);
    grid->addWidget(heading(form.Lb_Message_Sample[0], "Lb_Message_Sample_0", right, this), 0, kSample);
    grid->addWidget(heading(form.Lb_Message_Sample[1], "Lb_Message_Sample_1", right, this), 1, kSample);

    for (int i = 1; i <= Form1::kSlots; ++i) {
        const int row = kHeadingRows + i - 1;
        grid->setRowMinimumHeight(row, rowHeight);

        grid->addWidget(value(form.Lb_Msg[i], indexed("Lb_Msg", i), "00", this), row, kNumber);

        auto* name = new QLineEdit(this);
        name->setObjectName(indexed("WaveFile", i));
        name->setMinimumWidth(FormMetrics::textWidth(name, QString(10, 'n')));
        name->setFixedHeight(rowHeight);
        ControlBinding::bind(name, form.WaveFile[i]);
        grid->addWidget(name, row, kFile);

        auto* browse = new FittedButton(this);
        browse->setObjectName(indexed("Bt_Browse", i));
        browse->setFixedHeight(rowHeight);
        ControlBinding::bind(browse, form.Bt_Browse[i]);
        grid->addWidget(browse, row, kBrowse);

        // A wave file dropped on the name box or the Browse button is chosen as Browse chooses it.
        for (QWidget* target : {static_cast<QWidget*>(name), static_cast<QWidget*>(browse)})
            WaveDropFilter::attach(
                target, [&box = form.WaveFile[i]] { return box.AcceptsDrop && box.AcceptsDrop(); },
                [&box = form.WaveFile[i]](const std::string& path) {
                    if (box.OLEDragDrop)
                        box.OLEDragDrop(path);
                });

        grid->addWidget(GroupCells::playButton(form.MsgBt[i], indexed("MsgBt", i), rowHeight, this), row, kPlay,
                        Qt::AlignHCenter);

        grid->addWidget(value(form.MsgTime[i], indexed("MsgTime", i), "0000.00", this), row, kTime);
        grid->addWidget(value(form.MsgSize[i], indexed("MsgSize", i), "0000", this), row, kSize);
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
    grid->addWidget(value(form.TotalTime, "TotalTime", "0000.00", this), totalRow, kTime);
    grid->addWidget(value(form.TotalSize, "TotalSize", "0000", this), totalRow, kSize);

    grid->setColumnStretch(kFile, 1);
    grid->setRowStretch(totalRow + 1, 1);
}
