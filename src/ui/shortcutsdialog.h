#pragma once

#include <QDialog>
#include <QKeySequence>
#include <array>
#include <functional>

class QCheckBox;
class QKeySequenceEdit;

namespace veltrix {

// What the player chooses in "Globale Tastenkürzel": whether the keys are
// used at all, and one key combination per command (empty: none).
struct ShortcutChoice {
    bool active = false;
    std::array<QKeySequence, 3> keys; // Nächstes Ziel, Hausnummer, Abgleichen
};

// The modal dialog "Globale Tastenkürzel": the check box, a key field per
// command, "OK" and "Abbrechen". Where the desktop gives no global keys the
// check box is disabled and the dialog says so.
class ShortcutsDialog : public QDialog {
    Q_OBJECT

public:
    ShortcutsDialog(const ShortcutChoice &choice, bool supported, QWidget *parent = nullptr);

    ShortcutChoice choice() const;
    // Asked at "OK" for each key while the keys are to be used; a key it
    // refuses keeps the dialog open with that key's field focused.
    void setKeyCheck(std::function<bool(const QKeySequence &)> check) { m_check = std::move(check); }

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QCheckBox *m_active = nullptr;
    std::array<QKeySequenceEdit *, 3> m_fields{};
    std::function<bool(const QKeySequence &)> m_check;
};

} // namespace veltrix
