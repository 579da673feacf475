#pragma once

#include <QMainWindow>
#include <QPointer>

class MDIKVT3310;
class MenuItem;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;

/// The main window: an MDI frame with the menu bar of `MDIKVT3310`, in its order, mirroring captions,
/// check marks, enabled and visible states. Menus and commands are named after their items ("Open",
/// "LngSel_3"). Its close box asks the model, which may refuse.
class MainWindowView : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindowView(MDIKVT3310& mdi, QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return m_area; }
    /// Shows the editor as the frame's only child, maximised and without a frame of its own, and sizes
    /// the window to show all of it where the screen allows, again whenever the editor's size changes.
    QMdiSubWindow* addEditor(QWidget* editor);
    /// Takes the size that shows the whole editor, within the screen's available area, unless maximised.
    void fitToContent();
    /// The whole editor with the menu bar above it.
    QSize sizeHint() const override;
    /// Closes the window without asking the model: the close has already gone ahead.
    void takeDown();
    /// Shows the window in its normal state and brings it to the front, as a second copy asks.
    void showNormalAndRaise();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QMenu* addMenu(QWidget* parent, MenuItem& item, const QString& name);
    QAction* addCommand(QMenu* menu, MenuItem& item, const QString& name, bool checkItem);
    /// Replaces the listed serial ports at the end of the port submenu with the model's.
    void showPortItems();

    static constexpr int kFrameGuess = 8;
    static constexpr int kTitleGuess = 32;
    static constexpr int kSlack = 2;
    static constexpr int kFramedDelayMs = 250;

    MDIKVT3310& m_mdi;
    QMdiArea* m_area = nullptr;
    QPointer<QMenu> m_comport;
    QAction* m_portSeparator = nullptr;
    QList<QAction*> m_portActions;
    QPointer<QWidget> m_editor;
    bool m_closeApproved = false;
    bool m_asking = false;
    bool m_shown = false;
};
