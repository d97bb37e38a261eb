#pragma once

#include "sheen_global.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QDialogButtonBox;

namespace sheen {

class SheenKey;

// The list texts of the border styles, index = value.
SHEEN_EXPORT QStringList borderStyleTexts();
// The list texts of the layouts, index = Style.
SHEEN_EXPORT QStringList styleTexts();

// The contents of the property page's fields: what it shows of a button and
// what it writes back. A list left without a choice (-1) writes nothing, so
// a value the list does not know is kept.
struct SHEEN_EXPORT PropertyPageFields {
    QString persent;
    int style = 0;
    QString imageSize;
    QString caption;
    int borderStyleOut = 0;
    int borderStyleMove = 0;
    int borderStyleDown = 0;
    bool enabled = true;
    QString tipText;
    QString keys;

    static PropertyPageFields fromKey(const SheenKey& key);
    // Checks every field first; on a field that is no whole number nothing
    // is written and the message for the user is returned. Empty when done.
    QString applyTo(SheenKey& key) const;
};

// The design-time property page of the button: one field for each of the
// properties a person sets by hand, bound to the first selected button.
class SHEEN_EXPORT PropertyPagebotton : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPagebotton(QWidget* parent = nullptr);

    // The buttons the page is about; it shows and writes the first.
    void setSelectedControls(const QList<SheenKey*>& keys);
    QList<SheenKey*> selectedControls() const;

    // Loads every field from the first selected button.
    void SelectionChanged();
    // Writes every field to the first selected button. False, with the
    // reason in lastError(), when a field holds no whole number; then
    // nothing is written and the page stays changed.
    bool ApplyChanges();
    QString lastError() const { return m_lastError; }

    bool Changed() const { return m_changed; }
    void setChanged(bool changed);

    PropertyPageFields fields() const;
    void setFields(const PropertyPageFields& fields);

    QLineEdit* txtPersent;
    QComboBox* txtStyle;
    QLineEdit* txtImageSize;
    QLineEdit* txtCaption;
    QComboBox* txtBorderStyleOut;
    QComboBox* txtBorderStyleMove;
    QComboBox* txtBorderStyleDown;
    QCheckBox* chkEnabled;
    QLineEdit* txtTipText;
    QLineEdit* txtKeys;

signals:
    void changedChanged(bool changed);

private:
    void fillLists();
    QList<QPointer<SheenKey>> m_selected;
    bool m_changed = false;
    bool m_loading = false;
    QString m_lastError;
};

// The page in a dialog with OK, Cancel and Apply, for hosts that have no
// property frame of their own.
class SHEEN_EXPORT PropertyPageDialog : public QDialog {
    Q_OBJECT
public:
    explicit PropertyPageDialog(SheenKey* key, QWidget* parent = nullptr);
    PropertyPagebotton* page() const { return m_page; }

    void accept() override;

signals:
    // Emitted after the page wrote its fields to the button.
    void applied();

private:
    bool apply();
    PropertyPagebotton* m_page;
    QDialogButtonBox* m_buttons;
};

} // namespace sheen
