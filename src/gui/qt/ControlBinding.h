#pragma once

#include <QPointer>
#include <QString>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;
class CheckBox;
class CommandButton;
class Control;
class Label;
class ModelComboBox;
class PictureLabel;
class ProgressBar;
class TextBox;
class ComboBox;
class Picture;

/// Ties a widget to its control model: the widget shows the model now and after every change of it, and
/// passes the user's input to the model. Models may outlive their widgets and the other way round; a
/// model change that finds its widget gone does nothing.
namespace ControlBinding {

/// Runs `refresh(widget, model)` now and on every change of the model, for as long as the widget lives.
template <typename W, typename M, typename F>
void follow(W* widget, M& model, F refresh) {
    refresh(widget, model);
    QPointer<W> guard(widget);
    model.changed().connect([guard, &model, refresh] {
        if (guard)
            refresh(guard.data(), model);
    });
}

QString toQt(const std::string& text);
std::string fromQt(const QString& text);

/// Enabled, visible and font of any control.
void mirrorCommon(QWidget* widget, const Control& control);

void bind(QLabel* widget, Label& model);
void bind(QPushButton* widget, CommandButton& model);
/// A frame whose title is the label's caption.
void bind(QGroupBox* widget, Label& model);
/// Every edit of the text goes to the model at once, so emptying a name runs its change at once.
void bind(QLineEdit* widget, TextBox& model);
void bind(ModelComboBox* widget, ComboBox& model);
void bind(QCheckBox* widget, CheckBox& model);
void bind(QProgressBar* widget, ProgressBar& model);
void bind(PictureLabel* widget, Picture& model);

}  // namespace ControlBinding
