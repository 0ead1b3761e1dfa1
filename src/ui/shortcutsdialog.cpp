#include "shortcutsdialog.h"

#include "pagelayout.h"
#include "windowutil.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace veltrix {

namespace {

struct Field {
    const char *name;
    const char *caption;
};

constexpr Field kFields[] = {
    {"NaechstesZiel", "Nächstes Ziel (1. Zeile löschen):"},
    {"Hausnummer", "1. Hausnummer kopieren:"},
    {"Abgleichen", "Bericht abgleichen:"},
};

// A global key is one combination: a second one replaces the first
// instead of making a sequence of two. AltGr is a modifier, though the field
// records it as a key of its own before the key it modifies.
QKeySequence oneCombination(const QKeySequence &keys)
{
    for (int i = 0; i < keys.count(); ++i) {
        if (keys[i].key() != Qt::Key_AltGr)
            return QKeySequence(keys[i]);
    }
    return {};
}

void keepOneCombination(QKeySequenceEdit *field)
{
    QObject::connect(field, &QKeySequenceEdit::keySequenceChanged, field, [field](const QKeySequence &keys) {
        if (keys.count() > 1 || oneCombination(keys) != keys)
            field->setKeySequence(oneCombination(keys));
    });
}

} // namespace

ShortcutsDialog::ShortcutsDialog(const ShortcutChoice &choice, bool supported, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTastenkuerzel"));
    setWindowTitle(QStringLiteral("Globale Tastenkürzel"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    m_active = named(new QCheckBox(QStringLiteral("Globale Tastenkürzel verwenden"), this), "TastenkuerzelVerwenden");
    m_active->setChecked(choice.active);
    m_active->setEnabled(supported);
    layout->addWidget(m_active);

    auto *form = new QFormLayout;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QKeySequenceEdit(choice.keys[i], this);
        m_fields[i]->setObjectName(QString::fromLatin1(kFields[i].name));
        m_fields[i]->setClearButtonEnabled(true);
        // Wide enough for its prompt ("Geben Sie ein Tastenkürzel ein").
        m_fields[i]->setMinimumWidth(fontMetrics().averageCharWidth() * 34);
        keepOneCombination(m_fields[i]);
        form->addRow(makeCaption(this, QString::fromUtf8(kFields[i].caption), m_fields[i]), m_fields[i]);
    }
    layout->addLayout(form);

    if (!supported) {
        auto *notice = named(new QLabel(QStringLiteral("Globale Tastenkürzel werden von dieser Arbeitsumgebung "
                                                       "nicht unterstützt."),
                                        this),
                             "NichtUnterstuetzt");
        notice->setWordWrap(true);
        layout->addWidget(notice);
    }

    auto *buttons = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "Buttons");
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ShortcutsDialog::accept()
{
    if (m_check && m_active->isChecked() && m_active->isEnabled()) {
        for (QKeySequenceEdit *field : m_fields) {
            const QKeySequence keys = oneCombination(field->keySequence());
            if (!keys.isEmpty() && !m_check(keys)) {
                field->setFocus();
                return;
            }
        }
    }
    QDialog::accept();
}

ShortcutChoice ShortcutsDialog::choice() const
{
    ShortcutChoice chosen;
    chosen.active = m_active->isChecked();
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        chosen.keys[i] = oneCombination(m_fields[i]->keySequence()); // still being typed
    return chosen;
}

void ShortcutsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        fitOnScreen(this);
}

} // namespace veltrix
