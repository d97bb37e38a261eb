// Renovo's window: the download's progress bar, its percentage and the
// cancel button. Shown only once a download has started. Closing it or
// pressing cancel ends the update. It stays on top of other windows once
// it is active and can be dragged by its body and its label.
#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace renovo {

class Updater;

class UpdateWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdateWindow(Updater& updater, QWidget* parent = nullptr);

    // Brings the controls up to the updater's progress.
    void refresh();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool handleDrag(QEvent* event);

    Updater& m_updater;
    QLabel* m_label1;
    QProgressBar* m_progressBar1;
    QLabel* m_label2;
    QPushButton* m_cmdExit;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace renovo
