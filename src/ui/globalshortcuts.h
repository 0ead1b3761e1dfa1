#pragma once

#include "platform/platform.h"
#include "shortcutsdialog.h"

#include <QObject>
#include <QSet>
#include <functional>

class QAction;

namespace veltrix {

class IniFile;
class ReportList;

// The keys that work the list while the game keeps the focus: "Nächstes
// Ziel", "1. Hausnummer kopieren" and "Bericht abgleichen", each run as its
// menu item in the window that holds the list. Off until the player asks
// for them; kept in the settings file's section "Tastenkürzel".
class GlobalShortcuts : public QObject {
    Q_OBJECT

public:
    enum class Command { NextTarget, CopyHouseNumber, MergeReport };
    // item: the menu item that runs a command in the window holding the
    // list now (the merge needs none).
    GlobalShortcuts(ReportList &list, const Platform &platform, std::function<QAction *(Command)> item,
                    QObject *parent = nullptr);
    ~GlobalShortcuts() override;

    static ShortcutChoice defaults();
    // A key missing or unreadable takes its default; an empty one is none.
    void load(const IniFile &ini);
    void store(IniFile &ini) const;
    // "Globale Tastenkürzel...": "OK" applies the choice, "Abbrechen" keeps
    // the old one. A key this keyboard cannot give keeps the dialog open.
    void edit(QWidget *parent);
    void apply(const ShortcutChoice &choice);

private:
    bool supported() const;
    void pressed(const QString &id);
    void run(Command command);
    // Said once per key and kind; a binding that failed as a whole turns
    // the keys off.
    void problem(const KeyProblem &problem);
    static QString unusableText(const QKeySequence &keys);

    ReportList &m_list;
    Platform m_platform;
    std::function<QAction *(Command)> m_item;
    ShortcutChoice m_choice = defaults();
    bool m_bound = false;
    // Keys already said not to work, with the reason: once is enough.
    QSet<QString> m_told;
};

} // namespace veltrix
