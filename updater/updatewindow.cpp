#include "updatewindow.h"

#include "updater.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace renovo {

UpdateWindow::UpdateWindow(Updater& updater, QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_updater(updater)
    , m_label1(new QLabel(QStringLiteral("正在下载更新文件，请稍候...."), this))
    , m_progressBar1(new QProgressBar(this))
    , m_label2(new QLabel(QStringLiteral("0%"), this))
    , m_cmdExit(new QPushButton(QStringLiteral("取消"), this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("自动更新"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));

    m_progressBar1->setTextVisible(false);
    m_progressBar1->setRange(0, 100);
    m_progressBar1->setValue(0);
    m_label2->setMinimumWidth(m_label2->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
    m_label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_progressBar1, 1);
    bar->addWidget(m_label2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdExit);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(m_label1);
    layout->addLayout(bar);
    layout->addLayout(buttons);
    setFixedSize(380, 130);

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    m_label1->installEventFilter(this);
    connect(m_cmdExit, &QPushButton::clicked, &m_updater, &Updater::cancel);
    connect(&m_updater, &Updater::progressChanged, this, &UpdateWindow::refresh);
    refresh();
}

void UpdateWindow::refresh()
{
    const Updater::ProgressBar state = m_updater.progressBar();
    m_progressBar1->setRange(0, state.maximum);
    m_progressBar1->setValue(state.value);
    m_label2->setText(m_updater.percentText());
}

bool UpdateWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        // Topmost from its first activation on; set on the native window so
        // that it is not created anew.
        if (QWindow* window = windowHandle(); window && !(window->flags() & Qt::WindowStaysOnTopHint))
            window->setFlags(window->flags() | Qt::WindowStaysOnTopHint);
    }
    if (handleDrag(event))
        return true;
    return QWidget::event(event);
}

bool UpdateWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label1 && handleDrag(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool UpdateWindow::handleDrag(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // The window manager moves the window where it can; otherwise we follow the pointer.
        if (QWindow* window = windowHandle(); window && window->startSystemMove())
            return true;
        m_dragging = true;
        m_dragOffset = mouse->globalPosition().toPoint() - pos();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;
        move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_dragOffset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging)
            return false;
        m_dragging = false;
        return true;
    default:
        return false;
    }
}

void UpdateWindow::closeEvent(QCloseEvent* event)
{
    m_updater.cancel();
    event->accept();
}

} // namespace renovo
