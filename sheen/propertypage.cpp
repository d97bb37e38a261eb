#include "propertypage.h"

#include "sheenkey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace sheen {

QStringList borderStyleTexts()
{
    return {QStringLiteral("0 - 无边框"), QStringLiteral("1 - FLAT边框"), QStringLiteral("2 - 3D凸边框"),
        QStringLiteral("3 - 3D凹边框"), QStringLiteral("4 - 3D凸边框+FLAT边框"),
        QStringLiteral("5 - 3D凹边框+FLAT边框")};
}

QStringList styleTexts()
{
    return {QStringLiteral("0 - 左右"), QStringLiteral("1 - 上下")};
}

namespace {

std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int listIndex(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

} // namespace

PropertyPageFields PropertyPageFields::fromKey(const SheenKey& key)
{
    PropertyPageFields f;
    f.persent = QString::number(key.Persent());
    f.style = listIndex(key.Style(), int(styleTexts().size()));
    f.imageSize = QString::number(key.ImageSize());
    f.caption = key.Caption();
    const int borders = int(borderStyleTexts().size());
    f.borderStyleOut = listIndex(key.BorderStyleOut(), borders);
    f.borderStyleMove = listIndex(key.BorderStyleMove(), borders);
    f.borderStyleDown = listIndex(key.BorderStyleDown(), borders);
    f.enabled = key.isEnabled();
    f.tipText = key.TipText();
    f.keys = key.Keys();
    return f;
}

QString PropertyPageFields::applyTo(SheenKey& key) const
{
    const auto persentValue = wholeNumber(persent);
    if (!persentValue)
        return QStringLiteral("Persent 必须是整数。");
    const auto imageSizeValue = wholeNumber(imageSize);
    if (!imageSizeValue)
        return QStringLiteral("ImageSize 必须是整数。");
    key.setPersent(*persentValue);
    if (style >= 0)
        key.setStyle(style);
    key.setImageSize(*imageSizeValue);
    key.setCaption(caption);
    if (borderStyleOut >= 0)
        key.setBorderStyleOut(borderStyleOut);
    if (borderStyleMove >= 0)
        key.setBorderStyleMove(borderStyleMove);
    if (borderStyleDown >= 0)
        key.setBorderStyleDown(borderStyleDown);
    key.setEnabled(enabled);
    key.setTipText(tipText);
    key.setKeys(keys);
    return {};
}

PropertyPagebotton::PropertyPagebotton(QWidget* parent)
    : QWidget(parent)
    , txtPersent(new QLineEdit)
    , txtStyle(new QComboBox)
    , txtImageSize(new QLineEdit)
    , txtCaption(new QLineEdit)
    , txtBorderStyleOut(new QComboBox)
    , txtBorderStyleMove(new QComboBox)
    , txtBorderStyleDown(new QComboBox)
    , chkEnabled(new QCheckBox(QStringLiteral("是否有效")))
    , txtTipText(new QLineEdit)
    , txtKeys(new QLineEdit)
{
    setObjectName(QStringLiteral("PropertyPagebotton"));
    txtPersent->setObjectName(QStringLiteral("txtPersent"));
    txtStyle->setObjectName(QStringLiteral("txtStyle"));
    txtImageSize->setObjectName(QStringLiteral("txtImageSize"));
    txtCaption->setObjectName(QStringLiteral("txtCaption"));
    txtBorderStyleOut->setObjectName(QStringLiteral("txtBorderStyleOut"));
    txtBorderStyleMove->setObjectName(QStringLiteral("txtBorderStyleMove"));
    txtBorderStyleDown->setObjectName(QStringLiteral("txtBorderStyleDown"));
    chkEnabled->setObjectName(QStringLiteral("chkEnabled"));
    txtTipText->setObjectName(QStringLiteral("txtTipText"));
    txtKeys->setObjectName(QStringLiteral("txtKeys"));

    auto* form = new QFormLayout(this);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->addRow(QStringLiteral("Persent:(图形部分所占百分比)"), txtPersent);
    form->addRow(QStringLiteral("Style:(图标和文字的布局)"), txtStyle);
    form->addRow(QStringLiteral("ImageSize:(bmp为图标的大小)"), txtImageSize);
    form->addRow(QStringLiteral("Caption:(按扭文字)"), txtCaption);
    form->addRow(QStringLiteral("BorderStyleOut: (常态下边框样式)"), txtBorderStyleOut);
    form->addRow(QStringLiteral("BorderStyleMove:(得到焦点边框样式)"), txtBorderStyleMove);
    form->addRow(QStringLiteral("BorderStyleDown:(鼠标按下边框样式)"), txtBorderStyleDown);
    form->addRow(chkEnabled);
    form->addRow(QStringLiteral("ToolTipText:(按扭说明文字)"), txtTipText);
    form->addRow(QStringLiteral("Keys:(快捷键)"), txtKeys);

    fillLists();

    // Any edit by the user marks the page changed; a choice in a list does
    // too, so that a changed border style alone is not lost.
    auto mark = [this] {
        if (!m_loading)
            setChanged(true);
    };
    for (QLineEdit* edit : {txtPersent, txtImageSize, txtCaption, txtTipText, txtKeys})
        connect(edit, &QLineEdit::textChanged, this, mark);
    for (QComboBox* list : {txtStyle, txtBorderStyleOut, txtBorderStyleMove, txtBorderStyleDown})
        connect(list, &QComboBox::currentIndexChanged, this, mark);
    connect(chkEnabled, &QCheckBox::toggled, this, mark);
}

void PropertyPagebotton::fillLists()
{
    txtStyle->addItems(styleTexts());
    for (QComboBox* list : {txtBorderStyleOut, txtBorderStyleMove, txtBorderStyleDown})
        list->addItems(borderStyleTexts());
}

void PropertyPagebotton::setChanged(bool changed)
{
    if (changed == m_changed)
        return;
    m_changed = changed;
    emit changedChanged(changed);
}

void PropertyPagebotton::setSelectedControls(const QList<SheenKey*>& keys)
{
    m_selected.clear();
    for (SheenKey* key : keys)
        m_selected.append(key);
    SelectionChanged();
}

QList<SheenKey*> PropertyPagebotton::selectedControls() const
{
    QList<SheenKey*> keys;
    for (const auto& key : m_selected)
        if (key)
            keys.append(key.data());
    return keys;
}

PropertyPageFields PropertyPagebotton::fields() const
{
    PropertyPageFields f;
    f.persent = txtPersent->text();
    f.style = txtStyle->currentIndex();
    f.imageSize = txtImageSize->text();
    f.caption = txtCaption->text();
    f.borderStyleOut = txtBorderStyleOut->currentIndex();
    f.borderStyleMove = txtBorderStyleMove->currentIndex();
    f.borderStyleDown = txtBorderStyleDown->currentIndex();
    f.enabled = chkEnabled->isChecked();
    f.tipText = txtTipText->text();
    f.keys = txtKeys->text();
    return f;
}

void PropertyPagebotton::setFields(const PropertyPageFields& f)
{
    txtPersent->setText(f.persent);
    txtStyle->setCurrentIndex(f.style);
    txtImageSize->setText(f.imageSize);
    txtCaption->setText(f.caption);
    txtBorderStyleOut->setCurrentIndex(f.borderStyleOut);
    txtBorderStyleMove->setCurrentIndex(f.borderStyleMove);
    txtBorderStyleDown->setCurrentIndex(f.borderStyleDown);
    chkEnabled->setChecked(f.enabled);
    txtTipText->setText(f.tipText);
    txtKeys->setText(f.keys);
}

void PropertyPagebotton::SelectionChanged()
{
    const QList<SheenKey*> keys = selectedControls();
    if (keys.isEmpty())
        return;
    m_loading = true;
    setFields(PropertyPageFields::fromKey(*keys.first()));
    m_loading = false;
    setChanged(false);
}

bool PropertyPagebotton::ApplyChanges()
{
    m_lastError.clear();
    const QList<SheenKey*> keys = selectedControls();
    if (keys.isEmpty())
        return true;
    m_lastError = fields().applyTo(*keys.first());
    if (!m_lastError.isEmpty())
        return false;
    setChanged(false);
    return true;
}

PropertyPageDialog::PropertyPageDialog(SheenKey* key, QWidget* parent)
    : QDialog(parent)
    , m_page(new PropertyPagebotton)
    , m_buttons(
          new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply))
{
    setWindowTitle(QStringLiteral("属性页"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    layout->addWidget(m_buttons);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QPushButton* applyButton = m_buttons->button(QDialogButtonBox::Apply);
    applyButton->setText(QStringLiteral("应用"));
    applyButton->setEnabled(false);
    connect(m_page, &PropertyPagebotton::changedChanged, applyButton, &QPushButton::setEnabled);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &PropertyPageDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(applyButton, &QPushButton::clicked, this, &PropertyPageDialog::apply);
    m_page->setSelectedControls({key});
}

bool PropertyPageDialog::apply()
{
    if (!m_page->Changed())
        return true;
    if (!m_page->ApplyChanges()) {
        QMessageBox::warning(this, windowTitle(), m_page->lastError());
        return false;
    }
    emit applied();
    return true;
}

void PropertyPageDialog::accept()
{
    if (apply())
        QDialog::accept();
}

} // namespace sheen
