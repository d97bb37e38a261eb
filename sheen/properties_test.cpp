#include "propertybag.h"
#include "propertypage.h"
#include "sheenkey.h"
#include "testimage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace sheen;
using test::solid;

namespace {

QImage pattern(QSize size, QColor a, QColor b)
{
    QImage image = solid(size, a);
    for (int y = 0; y < size.height(); ++y)
        for (int x = (y % 2); x < size.width(); x += 2)
            image.setPixelColor(x, y, b);
    return image;
}

// Every property set to something other than its default. ImageSize is set
// after Image, so it differs from the picture's width.
void setEverything(SheenKey& key)
{
    key.setPersent(45);
    key.setStyle(1);
    key.setImage(Picture(pattern(QSize(24, 16), Qt::red, Qt::yellow)));
    key.setImageSize(20);
    key.setBordercolor(QColor(1, 2, 3));
    key.setShadowColor(QColor(4, 5, 6, 128));
    key.setColorFnormal(QColor(7, 8, 9));
    key.setColorFmove(QColor(10, 11, 12));
    key.setColorFdown(QColor(13, 14, 15));
    key.setCaption(QStringLiteral("拍照, \"一\" = 1"));
    key.setBorderStyleOut(1);
    key.setBorderStyleMove(4);
    key.setBorderStyleDown(5);
    key.setEnabled(false);
    QFont font(QStringLiteral("Liberation Serif"), 17);
    font.setItalic(true);
    key.setFont(font);
    key.setKeys(QStringLiteral("pq"));
    key.setTipText(QString());
    key.setPicNormal(
        Picture(QIcon(QPixmap::fromImage(pattern(QSize(16, 16), Qt::blue, Qt::transparent))), QSize(16, 16)));
    key.setPicMove(Picture(pattern(QSize(8, 8), Qt::green, Qt::black)));
    key.setPicDown(Picture(pattern(QSize(6, 4), Qt::cyan, Qt::magenta)));
}

const char* const kProperties[] = {"Persent", "Style", "Image", "ImageSize", "bordercolor", "ShadowColor",
    "ColorFnormal", "ColorFmove", "ColorFdown", "Caption", "BorderStyleOut", "BorderStyleMove",
    "BorderStyleDown", "Enabled", "Font", "Keys", "TipText", "PicNormal", "PicMove", "PicDown"};

// A store that records the order of reads and writes.
class RecordingBag : public PropertyBag {
public:
    QStringList reads;
    QStringList writes;

protected:
    std::optional<QVariant> fetch(const QString& name) const override
    {
        const_cast<RecordingBag*>(this)->reads << name;
        return std::nullopt;
    }
    void store(const QString& name, const QVariant&) override { writes << name; }
    void erase(const QString&) override { }
};

} // namespace

using BagRoundTrip = std::function<void(const SheenKey& from, SheenKey& to)>;
Q_DECLARE_METATYPE(BagRoundTrip)

class PropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void newButtonStoresNothing();
    void defaultValueDropsWhatWasStored();
    void savesAndReadsInPropertyOrder();
    void everyPropertySurvivesSaveAndLoad_data();
    void everyPropertySurvivesSaveAndLoad();
    void unreadableStoredValuesFallBackToDefaults();
    void pageLoadsFromTheFirstSelectedButton();
    void pageAppliesEveryFieldToTheFirstSelectedButton();
    void pageRejectsNumbersItCannotRead();

private:
    QTemporaryDir m_dir;
};

void PropertiesTest::newButtonStoresNothing()
{
    QWidget form;
    form.setFont(QFont(QStringLiteral("Liberation Sans"), 15));
    SheenKey key(&form);
    QCOMPARE(key.font(), form.font()); // a new button takes the form's font
    QVariantMap map;
    MapPropertyBag bag(map);
    key.saveProperties(bag);
    QCOMPARE(map, QVariantMap());
    key.setCaption(QStringLiteral("OK"));
    key.setBorderStyleMove(SheenKey::kDefaultBorderStyleMove);
    key.saveProperties(bag);
    QCOMPARE(map.keys(), QStringList {QStringLiteral("Caption")});
}

void PropertiesTest::defaultValueDropsWhatWasStored()
{
    QSettings settings(m_dir.filePath(QStringLiteral("drop.ini")), QSettings::IniFormat);
    SettingsPropertyBag bag(settings, QStringLiteral("cmdShot"));
    SheenKey key;
    key.setPersent(50);
    key.saveProperties(bag);
    QCOMPARE(settings.value(QStringLiteral("cmdShot/Persent")).toString(), QStringLiteral("50"));
    key.setPersent(SheenKey::kDefaultPersent);
    key.saveProperties(bag);
    QVERIFY(!settings.contains(QStringLiteral("cmdShot/Persent")));
}

void PropertiesTest::savesAndReadsInPropertyOrder()
{
    SheenKey key;
    setEverything(key);
    RecordingBag bag;
    key.saveProperties(bag);
    const QStringList order = {"Persent", "Style", "Image", "ImageSize", "BorderColor", "ShadowColor",
        "ColorFnormal", "ColorFmove", "ColorFdown", "Caption", "BorderStyleOut", "BorderStyleMove",
        "BorderStyleDown", "Enabled", "Font", "Keys", "TipText", "PicNormal", "PicMove", "PicDown"};
    QCOMPARE(bag.writes, order);
    SheenKey().loadProperties(bag);
    QCOMPARE(bag.reads, order);
}

void PropertiesTest::everyPropertySurvivesSaveAndLoad_data()
{
    QTest::addColumn<BagRoundTrip>("roundTrip");
    QTest::newRow("value map") << BagRoundTrip([](const SheenKey& from, SheenKey& to) {
        QVariantMap map;
        MapPropertyBag bag(map);
        from.saveProperties(bag);
        to.loadProperties(bag);
    });
    const QString file = m_dir.filePath(QStringLiteral("form.ini"));
    QTest::newRow("settings file") << BagRoundTrip([file](const SheenKey& from, SheenKey& to) {
        {
            QSettings settings(file, QSettings::IniFormat);
            SettingsPropertyBag bag(settings, QStringLiteral("frmmain/XpButtAdd"));
            from.saveProperties(bag);
        }
        QSettings settings(file, QSettings::IniFormat);
        to.loadProperties(SettingsPropertyBag(settings, QStringLiteral("frmmain/XpButtAdd")));
    });
}

void PropertiesTest::everyPropertySurvivesSaveAndLoad()
{
    QFETCH(BagRoundTrip, roundTrip);
    SheenKey saved;
    setEverything(saved);
    SheenKey loaded;
    roundTrip(saved, loaded);
    for (const char* name : kProperties)
        QVERIFY2(loaded.property(name) == saved.property(name), name);
    QCOMPARE(loaded.ImageSize(), 20);
}

void PropertiesTest::unreadableStoredValuesFallBackToDefaults()
{
    const QString file = m_dir.filePath(QStringLiteral("broken.ini"));
    {
        QSettings settings(file, QSettings::IniFormat);
        settings.setValue(QStringLiteral("k/Persent"), QStringLiteral("40%"));
        settings.setValue(QStringLiteral("k/BorderColor"), QStringLiteral("not a colour"));
        settings.setValue(QStringLiteral("k/Enabled"), QStringLiteral("maybe"));
        settings.setValue(QStringLiteral("k/Image"), QByteArray("not a picture"));
        settings.setValue(QStringLiteral("k/Style"), QStringLiteral(" 1 "));
        settings.setValue(QStringLiteral("k/ColorFmove"), QStringLiteral("#102030"));
    }
    QSettings settings(file, QSettings::IniFormat);
    SheenKey key;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Persent"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("BorderColor"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Enabled"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Image"));
    key.loadProperties(SettingsPropertyBag(settings, QStringLiteral("k")));
    QCOMPARE(key.Persent(), SheenKey::kDefaultPersent);
    QCOMPARE(key.bordercolor(), QColor(Qt::black));
    QVERIFY(key.isEnabled());
    QVERIFY(key.Image().isNull());
    QCOMPARE(key.Style(), 1);
    QCOMPARE(key.ColorFmove(), QColor(0x10, 0x20, 0x30));
}

void PropertiesTest::pageLoadsFromTheFirstSelectedButton()
{
    SheenKey first;
    setEverything(first);
    first.setStyle(9); // a value the list does not hold
    SheenKey second;
    PropertyPagebotton page;
    QCOMPARE(page.txtStyle->count(), 2);
    QCOMPARE(page.txtBorderStyleOut->itemText(4), QStringLiteral("4 - 3D凸边框+FLAT边框"));
    QCOMPARE(page.txtBorderStyleDown->count(), 6);
    page.setSelectedControls({&first, &second});
    QCOMPARE(page.txtPersent->text(), QStringLiteral("45"));
    QCOMPARE(page.txtStyle->currentIndex(), -1);
    QCOMPARE(page.txtImageSize->text(), QStringLiteral("20"));
    QCOMPARE(page.txtCaption->text(), first.Caption());
    QCOMPARE(page.txtBorderStyleOut->currentIndex(), 1);
    QCOMPARE(page.txtBorderStyleMove->currentIndex(), 4);
    QCOMPARE(page.txtBorderStyleDown->currentIndex(), 5);
    QVERIFY(!page.chkEnabled->isChecked());
    QCOMPARE(page.txtTipText->text(), QString());
    QCOMPARE(page.txtKeys->text(), QStringLiteral("pq"));
    // Loading is no edit; an edit of any field is.
    QVERIFY(!page.Changed());
    for (const std::function<void()>& edit :
        std::initializer_list<std::function<void()>> {[&] { page.txtKeys->setText(QStringLiteral("x")); },
            [&] { page.txtBorderStyleMove->setCurrentIndex(0); }, [&] { page.chkEnabled->click(); }}) {
        page.SelectionChanged();
        QVERIFY(!page.Changed());
        edit();
        QVERIFY(page.Changed());
    }
}

void PropertiesTest::pageAppliesEveryFieldToTheFirstSelectedButton()
{
    SheenKey first;
    first.setStyle(9);
    SheenKey second;
    PropertyPagebotton page;
    page.setSelectedControls({&first, &second});
    page.txtPersent->setText(QStringLiteral(" 55 "));
    page.txtImageSize->setText(QStringLiteral("48"));
    page.txtCaption->setText(QStringLiteral("上传"));
    page.txtBorderStyleOut->setCurrentIndex(3);
    page.txtBorderStyleMove->setCurrentIndex(5);
    page.txtBorderStyleDown->setCurrentIndex(1);
    page.chkEnabled->setChecked(false);
    page.txtTipText->setText(QStringLiteral("上传照片"));
    page.txtKeys->setText(QStringLiteral("U"));
    QVERIFY(page.ApplyChanges());
    QVERIFY(!page.Changed());
    QCOMPARE(first.Persent(), 55);
    QCOMPARE(first.Style(), 9); // the list had no choice, so Style is kept
    QCOMPARE(first.ImageSize(), 48);
    QCOMPARE(first.Caption(), QStringLiteral("上传"));
    QCOMPARE(first.BorderStyleOut(), 3);
    QCOMPARE(first.BorderStyleMove(), 5);
    QCOMPARE(first.BorderStyleDown(), 1);
    QVERIFY(!first.isEnabled());
    QCOMPARE(first.TipText(), QStringLiteral("上传照片"));
    QCOMPARE(first.Keys(), QStringLiteral("U"));
    page.txtStyle->setCurrentIndex(1);
    QVERIFY(page.ApplyChanges());
    QCOMPARE(first.Style(), 1);
    QVariantMap untouched;
    MapPropertyBag bag(untouched);
    second.saveProperties(bag);
    QCOMPARE(untouched, QVariantMap());
}

void PropertiesTest::pageRejectsNumbersItCannotRead()
{
    for (const auto& [persent, imageSize] : {std::pair {"abc", "10"}, std::pair {"10", ""},
             std::pair {"", "5"}, std::pair {"99999999999", "5"}}) {
        SheenKey key;
        PropertyPagebotton page;
        page.setSelectedControls({&key});
        page.txtCaption->setText(QStringLiteral("new"));
        page.txtPersent->setText(QString::fromLatin1(persent));
        page.txtImageSize->setText(QString::fromLatin1(imageSize));
        QVERIFY(!page.ApplyChanges());
        QVERIFY(!page.lastError().isEmpty());
        QVERIFY(page.Changed());
        QCOMPARE(key.Caption(), QString());
        QCOMPARE(key.Persent(), SheenKey::kDefaultPersent);
    }
}

QTEST_MAIN(PropertiesTest)
#include "properties_test.moc"
