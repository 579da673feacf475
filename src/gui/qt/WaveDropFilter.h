#pragma once

#include <QObject>
#include <functional>
#include <string>

class QMimeData;
class QWidget;

/// Lets a widget take one file dropped on it from the desktop. While `accepts` says yes, a drag of a single
/// local file is welcomed; the drop hands its path (native separators) to `drop` once the drag has ended,
/// so that messages the drop brings up do not hold the program the file came from.
class WaveDropFilter : public QObject {
public:
    using Accepts = std::function<bool()>;
    using Drop = std::function<void(const std::string& path)>;

    /// Installs a filter owned by `widget`.
    static void attach(QWidget* widget, Accepts accepts, Drop drop);

    /// The one local file a drag carries, or an empty text.
    static QString droppedFile(const QMimeData* mime);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WaveDropFilter(QWidget* widget, Accepts accepts, Drop drop);

    Accepts m_accepts;
    Drop m_drop;
};
