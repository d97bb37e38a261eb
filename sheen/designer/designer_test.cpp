// The designer plugin loads as a Qt plugin and makes real buttons.
#include "sheenkey.h"

#include <QDesignerCustomWidgetInterface>
#include <QDomDocument>
#include <QPluginLoader>
#include <QtTest>
#include <memory>

class DesignerPluginTest : public QObject {
    Q_OBJECT
private slots:
    void offersTheButton()
    {
        QPluginLoader loader(qEnvironmentVariable("SHEEN_DESIGNER_PLUGIN"));
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
        QVERIFY(plugin);
        QCOMPARE(plugin->name(), QStringLiteral("sheen::SheenKey"));
        QCOMPARE(plugin->includeFile(), QStringLiteral("sheenkey.h"));
        QVERIFY(!plugin->isContainer());
        QVERIFY(!plugin->icon().isNull());
        QWidget form;
        std::unique_ptr<QWidget> widget(plugin->createWidget(&form));
        auto* key = qobject_cast<sheen::SheenKey*>(widget.get());
        QVERIFY(key);
        QCOMPARE(key->TipText(), QStringLiteral("0"));
        QString error;
        QDomDocument dom;
        QVERIFY2(dom.setContent(plugin->domXml(), &error), qPrintable(error));
        QCOMPARE(dom.documentElement()
                     .firstChildElement(QStringLiteral("widget"))
                     .attribute(QStringLiteral("class")),
            plugin->name());
    }
};

QTEST_MAIN(DesignerPluginTest)
#include "designer_test.moc"
