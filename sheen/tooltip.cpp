#include "tooltip.h"

#include "sheenkey.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

namespace sheen::modToolTip {

namespace {

// The tooltip window. It also watches the events of the hooked buttons:
// pointer moves, presses and releases over a button are passed to the tip
// logic below before the button handles them itself. Double clicks are not.
class TipWindow : public QLabel {
public:
    TipWindow()
        : QLabel(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)
    {
        setObjectName(QStringLiteral("sheen_tooltip"));
        setPalette(QToolTip::palette());
        setFont(QToolTip::font());
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setAutoFillBackground(true);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setMargin(2);
        setTextFormat(Qt::PlainText);
        m_wake.setSingleShot(true);
        m_pop.setSingleShot(true);
        connect(&m_wake, &QTimer::timeout, this, &TipWindow::wake);
        connect(&m_pop, &QTimer::timeout, this, &TipWindow::hideTip);
    }

    int initialDelay = 500;
    int autoPopDelay = 5000;

    void addTool(SheenKey* key) { m_tools.insert(key); }
    void removeTool(SheenKey* key)
    {
        m_tools.remove(key);
        if (m_current == key)
            leave();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* key = static_cast<SheenKey*>(watched);
        if (!m_tools.contains(key))
            return false;
        switch (event->type()) {
        case QEvent::MouseMove:
            moved(key, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (m_current == key) {
                hideTip();
                m_pressed = true;
            }
            break;
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::EnabledChange:
            if (m_current == key)
                leave();
            break;
        default:
            break;
        }
        return false; // the button handles every event as well
    }

private:
    void moved(SheenKey* key, QPoint globalPos)
    {
        m_pointer = globalPos;
        if (m_current != key) {
            leave();
            m_current = key;
        }
        if (!m_pressed && !isVisible())
            m_wake.start(initialDelay);
    }

    void leave()
    {
        hideTip();
        m_current = nullptr;
        m_pressed = false;
    }

    void hideTip()
    {
        m_wake.stop();
        m_pop.stop();
        hide();
    }

    void wake()
    {
        if (!m_current || !m_tools.contains(m_current.data()))
            return;
        const QString text = m_current->TipText();
        if (text.isEmpty())
            return;
        setText(text);
        adjustSize();
        QPoint at = m_pointer + QPoint(2, 16);
        if (const QScreen* screen = QGuiApplication::screenAt(m_pointer)) {
            const QRect area = screen->availableGeometry();
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
            if (at.y() + height() > area.bottom())
                at.setY(m_pointer.y() - height() - 4);
        }
        move(at);
        show();
        raise();
        m_pop.start(autoPopDelay);
    }

    QSet<SheenKey*> m_tools;
    QPointer<SheenKey> m_current;
    QPoint m_pointer;
    bool m_pressed = false;
    QTimer m_wake;
    QTimer m_pop;
};

struct Shared {
    QSet<SheenKey*> counted;
    QSet<SheenKey*> hooked;
    TipWindow* window = nullptr;
    int initialDelay = 500;
    int autoPopDelay = 5000;
};

Shared& shared()
{
    static Shared state;
    return state;
}

} // namespace

int buttonCount()
{
    return int(shared().counted.size());
}

QWidget* toolTipWindow()
{
    return shared().window;
}

void setInitialDelay(int milliseconds)
{
    shared().initialDelay = std::max(0, milliseconds);
    if (shared().window)
        shared().window->initialDelay = shared().initialDelay;
}

void setAutoPopDelay(int milliseconds)
{
    shared().autoPopDelay = std::max(0, milliseconds);
    if (shared().window)
        shared().window->autoPopDelay = shared().autoPopDelay;
}

void SetUpToolTip(SheenKey* key, bool runMode)
{
    Shared& s = shared();
    s.counted.insert(key);
    if (!runMode)
        return;
    if (!s.window) {
        s.window = new TipWindow;
        s.window->initialDelay = s.initialDelay;
        s.window->autoPopDelay = s.autoPopDelay;
    }
    UnhookWindow(key);
    key->installEventFilter(s.window);
    s.window->addTool(key);
    s.hooked.insert(key);
}

void UnhookWindow(SheenKey* key)
{
    Shared& s = shared();
    if (!s.hooked.remove(key))
        return;
    key->removeEventFilter(s.window);
    s.window->removeTool(key);
}

void TerminateToolTip(SheenKey* key)
{
    Shared& s = shared();
    UnhookWindow(key);
    // Only a button that was counted gives its share back, so the window
    // never goes while registered buttons remain.
    if (!s.counted.remove(key))
        return;
    if (s.window && s.counted.isEmpty()) {
        delete s.window;
        s.window = nullptr;
    }
}

} // namespace sheen::modToolTip
