#include "sheenkeyplugin.h"

#include "propertypage.h"
#include "sheenkey.h"

#include <QAction>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QExtensionManager>
#include <QPainter>
#include <QPixmap>

namespace sheen {

namespace {

// The properties the page edits, as the button and as the designer name
// them (the designer edits the enabled state as "enabled").
struct PageProperty {
    const char* key;
    const char* designer;
};
constexpr PageProperty kPageProperties[] = {
    {"Persent", "Persent"},
    {"Style", "Style"},
    {"ImageSize", "ImageSize"},
    {"Caption", "Caption"},
    {"BorderStyleOut", "BorderStyleOut"},
    {"BorderStyleMove", "BorderStyleMove"},
    {"BorderStyleDown", "BorderStyleDown"},
    {"Enabled", "enabled"},
    {"TipText", "TipText"},
    {"Keys", "Keys"},
};

} // namespace

SheenKeyPlugin::SheenKeyPlugin(QObject* parent)
    : QObject(parent)
{
}

QString SheenKeyPlugin::name() const
{
    return QStringLiteral("sheen::SheenKey");
}

QString SheenKeyPlugin::group() const
{
    return QStringLiteral("Sheen");
}

QString SheenKeyPlugin::toolTip() const
{
    return QStringLiteral("图片按钮");
}

QString SheenKeyPlugin::whatsThis() const
{
    return QStringLiteral(
        "由图片绘制的按钮：常态、悬停、按下和无效四种外观，各有背景图、文字颜色和边框样式。");
}

QString SheenKeyPlugin::includeFile() const
{
    return QStringLiteral("sheenkey.h");
}

QIcon SheenKeyPlugin::icon() const
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(1, 5, 20, 12), SheenKey::kBackground);
    painter.fillRect(QRect(3, 7, 8, 8), QColor(0x2a, 0x6f, 0xd6));
    painter.fillRect(QRect(13, 10, 6, 2), Qt::black);
    painter.setPen(Qt::white);
    painter.drawLine(1, 5, 20, 5);
    painter.drawLine(1, 5, 1, 16);
    painter.setPen(Qt::darkGray);
    painter.drawLine(1, 16, 20, 16);
    painter.drawLine(20, 5, 20, 16);
    return QIcon(pixmap);
}

QWidget* SheenKeyPlugin::createWidget(QWidget* parent)
{
    auto* key = new SheenKey(parent);
    // On a form being edited the button is in design mode: no tooltip.
    if (QDesignerFormWindowInterface::findFormWindow(parent))
        key->setUserMode(false);
    return key;
}

void SheenKeyPlugin::initialize(QDesignerFormEditorInterface* core)
{
    if (m_initialized)
        return;
    if (QExtensionManager* manager = core->extensionManager())
        manager->registerExtensions(
            new SheenKeyTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
    m_initialized = true;
}

QString SheenKeyPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++" displayname="SheenKey">
 <widget class="sheen::SheenKey" name="sheenKey">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>100</width><height>40</height></rect>
  </property>
 </widget>
</ui>
)");
}

SheenKeyTaskMenu::SheenKeyTaskMenu(SheenKey* key, QObject* parent)
    : QObject(parent)
    , m_key(key)
    , m_edit(new QAction(QStringLiteral("属性页..."), this))
{
    connect(m_edit, &QAction::triggered, this, &SheenKeyTaskMenu::editProperties);
}

QAction* SheenKeyTaskMenu::preferredEditAction() const
{
    return m_edit;
}

QList<QAction*> SheenKeyTaskMenu::taskActions() const
{
    return {m_edit};
}

void SheenKeyTaskMenu::editProperties()
{
    if (!m_key)
        return;
    // The page works on a copy; what it changed is then set on the real
    // button through the form.
    SheenKey scratch;
    scratch.setUserMode(false);
    for (const PageProperty& p : kPageProperties)
        scratch.setProperty(p.key, m_key->property(p.key));
    PropertyPageDialog dialog(&scratch, m_key->window());
    connect(&dialog, &PropertyPageDialog::applied, this, [this, &scratch] {
        if (!m_key)
            return;
        QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(m_key);
        for (const PageProperty& p : kPageProperties) {
            const QVariant value = scratch.property(p.key);
            if (value == m_key->property(p.key))
                continue;
            if (form)
                form->cursor()->setWidgetProperty(m_key, QString::fromLatin1(p.designer), value);
            else
                m_key->setProperty(p.key, value);
        }
    });
    dialog.exec();
}

SheenKeyTaskMenuFactory::SheenKeyTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent)
{
}

QObject* SheenKeyTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const
{
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    if (auto* key = qobject_cast<SheenKey*>(object))
        return new SheenKeyTaskMenu(key, parent);
    return nullptr;
}

} // namespace sheen
