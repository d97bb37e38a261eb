#pragma once

#include <QDesignerCustomWidgetInterface>
#include <QDesignerTaskMenuExtension>
#include <QExtensionFactory>
#include <QObject>
#include <QPointer>

class QAction;
class QDesignerFormEditorInterface;

namespace sheen {

class SheenKey;

// Offers SheenKey in the designer's widget box.
class SheenKeyPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    explicit SheenKeyPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    bool m_initialized = false;
};

// "属性页..." in the button's context menu: the property page, whose changes
// go through the form (so they can be undone and are saved with it).
class SheenKeyTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)
public:
    SheenKeyTaskMenu(SheenKey* key, QObject* parent);
    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

private:
    void editProperties();
    QPointer<SheenKey> m_key;
    QAction* m_edit;
};

class SheenKeyTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT
public:
    explicit SheenKeyTaskMenuFactory(QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

} // namespace sheen
