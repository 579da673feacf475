#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QPushButton>

namespace {
constexpr int kButtonMask = 0x7;
constexpr int kIconMask = 0x70;
constexpr int kDefaultMask = 0x300;
constexpr int kAbort = 3, kRetry = 4, kIgnore = 5;
}  // namespace

std::vector<QtMessageBox::Button> QtMessageBox::buttonsFor(int flags) {
    switch (flags & kButtonMask) {
        case vbOKCancel:
            return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
        case 2:
            return {{QMessageBox::Abort, kAbort}, {QMessageBox::Retry, kRetry}, {QMessageBox::Ignore, kIgnore}};
        case vbYesNoCancel:
            return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        case vbYesNo:
            return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
        case 5:
            return {{QMessageBox::Retry, kRetry}, {QMessageBox::Cancel, vbCancel}};
        default:
            return {{QMessageBox::Ok, vbOK}};
    }
}

QMessageBox::Icon QtMessageBox::iconFor(int flags) {
    switch (flags & kIconMask) {
        case 16:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int QtMessageBox::escapeResultFor(int flags) {
    switch (flags & kButtonMask) {
        case vbOKCancel:
        case vbYesNoCancel:
        case 5:
            return vbCancel;
        case 2:
            return kAbort;
        case vbYesNo:
            // The box has no cancel; closing it must not be taken as agreement.
            return vbNo;
        default:
            return vbOK;
    }
}

QString QtMessageBox::textFor(QMessageBox::StandardButton button) const {
    auto marked = [](const std::string& text) { return text.empty() ? QString() : "&" + QString::fromStdString(text); };
    switch (button) {
        case QMessageBox::Ok:
            return QString::fromStdString(m_texts.ok);
        case QMessageBox::Cancel:
            return QString::fromStdString(m_texts.cancel);
        case QMessageBox::Yes:
            return marked(m_texts.yes);
        case QMessageBox::No:
            return marked(m_texts.no);
        default:
            return {};
    }
}

int QtMessageBox::MsgBox(const std::string& text, int flags, const std::string& title) {
    QMessageBox box(iconFor(flags), title.empty() ? QApplication::applicationName() : QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::NoButton, QApplication::activeWindow());
    const auto buttons = buttonsFor(flags);
    std::vector<QAbstractButton*> widgets;
    for (const auto& b : buttons) {
        widgets.push_back(box.addButton(b.button));
        if (const QString caption = textFor(b.button); !caption.isEmpty())
            widgets.back()->setText(caption);
    }
    const std::size_t defaultIndex = static_cast<std::size_t>((flags & kDefaultMask) >> 8);
    box.setDefaultButton(static_cast<QPushButton*>(widgets[defaultIndex < widgets.size() ? defaultIndex : 0]));
    const int escapeResult = escapeResultFor(flags);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].result == escapeResult)
            box.setEscapeButton(widgets[i]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == widgets[i])
            return buttons[i].result;
    return escapeResult;
}

void QtMessageBox::Beep() {
    QApplication::beep();
}
