#include "gui/qt/ControlBinding.h"

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>

#include "gui/qt/ModelComboBox.h"
#include "gui/qt/PictureLabel.h"
#include "platform/CheckBox.h"
#include "platform/ComboBox.h"
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/Picture.h"
#include "platform/ProgressBar.h"
#include "platform/TextBox.h"

namespace ControlBinding {

QString toQt(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQt(const QString& text) {
    return text.toStdString();
}

void mirrorCommon(QWidget* widget, const Control& control) {
    widget->setEnabled(control.enabled());
    widget->setToolTip(toQt(control.toolTipText()));
    // A widget without a parent would become a window of its own when shown.
    if (widget->parentWidget())
        widget->setHidden(!control.visible());
    // The text is Unicode whatever the character set, so a Greek set needs no font of its own. A size from
    // the model replaces the view's own font size until the model gives it up again.
    const char* kViewFont = "kvtViewFont";
    if (control.fontSize() > 0) {
        if (!widget->property(kViewFont).isValid())
            widget->setProperty(kViewFont, widget->font());
        QFont font = widget->font();
        font.setPointSize(control.fontSize());
        widget->setFont(font);
    } else if (widget->property(kViewFont).isValid()) {
        widget->setFont(widget->property(kViewFont).value<QFont>());
        widget->setProperty(kViewFont, QVariant());
    }
}

void bind(QLabel* widget, Label& model) {
    widget->setTextFormat(Qt::PlainText);
    follow(widget, model, [](QLabel* w, const Label& m) {
        mirrorCommon(w, m);
        w->setText(toQt(m.caption()));
    });
}

void bind(QPushButton* widget, CommandButton& model) {
    follow(widget, model, [](QPushButton* w, const CommandButton& m) {
        mirrorCommon(w, m);
        w->setText(toQt(m.caption()));
    });
    QObject::connect(widget, &QPushButton::clicked, widget, [&model] { model.click(); });
}

void bind(QGroupBox* widget, Label& model) {
    follow(widget, model, [](QGroupBox* w, const Label& m) {
        mirrorCommon(w, m);
        w->setTitle(toQt(m.caption()));
    });
}

void bind(QLineEdit* widget, TextBox& model) {
    follow(widget, model, [](QLineEdit* w, const TextBox& m) {
        mirrorCommon(w, m);
        w->setReadOnly(m.locked());
        const QString text = toQt(m.text());
        // Rewriting an equal text would move the cursor of a user who is typing.
        if (w->text() != text) {
            const QSignalBlocker block(w);
            w->setText(text);
        }
    });
    QObject::connect(widget, &QLineEdit::textEdited, widget,
                     [&model](const QString& text) { model.setText(fromQt(text)); });
}

void bind(ModelComboBox* widget, ComboBox& model) {
    follow(widget, model, [](ModelComboBox* w, const ComboBox& m) {
        mirrorCommon(w, m);
        const QSignalBlocker block(w);
        QStringList items;
        for (const auto& item : m.list())
            items << toQt(item);
        QStringList shown;
        for (int i = 0; i < w->count(); ++i)
            shown << w->itemText(i);
        if (shown != items) {
            w->clear();
            w->addItems(items);
        }
        const int index = m.listIndex();
        w->setPlaceholderText(index < 0 ? toQt(m.text()) : QString());
        w->setCurrentIndex(index);
    });
    QObject::connect(widget, &QComboBox::activated, widget, [&model](int index) { model.pick(index); });
}

void bind(QCheckBox* widget, CheckBox& model) {
    auto refresh = [](QCheckBox* w, const CheckBox& m) {
        mirrorCommon(w, m);
        const QSignalBlocker block(w);
        w->setChecked(m.value() != 0);
    };
    follow(widget, model, refresh);
    QPointer<QCheckBox> guard(widget);
    QObject::connect(widget, &QCheckBox::clicked, widget, [guard, &model, refresh] {
        model.click();
        // The box has toggled itself; the model decides what it shows.
        if (guard)
            refresh(guard.data(), model);
    });
}

void bind(QProgressBar* widget, ProgressBar& model) {
    follow(widget, model, [](QProgressBar* w, const ProgressBar& m) {
        mirrorCommon(w, m);
        w->setRange(m.min(), m.max() > m.min() ? m.max() : m.min());
        w->setValue(m.value());
    });
}

void bind(PictureLabel* widget, Picture& model) {
    follow(widget, model, [](PictureLabel* w, const Picture& m) { mirrorCommon(w, m); });
}

}  // namespace ControlBinding
