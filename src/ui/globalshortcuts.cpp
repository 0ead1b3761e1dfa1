#include "globalshortcuts.h"

#include "core/inifile.h"
#include "reportlist.h"

#include <QAction>
#include <QApplication>

namespace veltrix {

namespace {

const QString kSection = QStringLiteral("Tastenkürzel");

struct CommandInfo {
    GlobalShortcuts::Command command;
    const char *id;   // for desktops that keep shortcuts by name
    const char *key;  // in the settings file
    const char *description;
    const char *defaultKeys;
};

constexpr CommandInfo kCommands[] = {
    {GlobalShortcuts::Command::NextTarget, "naechstes-ziel", "NaechstesZiel", "Nächstes Ziel (1. Zeile löschen)",
     "Ctrl+Alt+N"},
    {GlobalShortcuts::Command::CopyHouseNumber, "hausnummer", "Hausnummer", "1. Hausnummer kopieren", "Ctrl+Alt+H"},
    {GlobalShortcuts::Command::MergeReport, "abgleichen", "Abgleichen", "Bericht abgleichen", "Ctrl+Alt+B"},
};

// One combination in Qt's portable text, or nothing when the text is not one.
std::optional<QKeySequence> readKeys(const QString &text)
{
    if (text.isEmpty())
        return QKeySequence();
    const QKeySequence keys = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (keys.count() != 1)
        return std::nullopt;
    switch (keys[0].key()) {
    case Qt::Key_unknown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        return std::nullopt; // no key, or modifiers alone
    default:
        return keys;
    }
}

} // namespace

GlobalShortcuts::GlobalShortcuts(ReportList &list, const Platform &platform, std::function<QAction *(Command)> item,
                                 QObject *parent)
    : QObject(parent), m_list(list), m_platform(platform), m_item(std::move(item))
{
    if (m_platform.globalKeys)
        m_platform.globalKeys->watch(
            this, [this](const QString &id) { pressed(id); }, [this](const KeyProblem &p) { problem(p); });
}

GlobalShortcuts::~GlobalShortcuts()
{
    if (m_bound)
        m_platform.globalKeys->bind({});
}

ShortcutChoice GlobalShortcuts::defaults()
{
    ShortcutChoice choice;
    for (std::size_t i = 0; i < choice.keys.size(); ++i)
        choice.keys[i] = QKeySequence(QString::fromLatin1(kCommands[i].defaultKeys));
    return choice;
}

void GlobalShortcuts::load(const IniFile &ini)
{
    ShortcutChoice choice = defaults();
    choice.active = ini.value(kSection, u"aktiv") == QStringLiteral("1");
    for (std::size_t i = 0; i < choice.keys.size(); ++i) {
        if (const auto text = ini.value(kSection, QString::fromLatin1(kCommands[i].key))) {
            if (const auto keys = readKeys(*text))
                choice.keys[i] = *keys;
        }
    }
    apply(choice);
}

void GlobalShortcuts::store(IniFile &ini) const
{
    ini.setValue(kSection, u"aktiv", m_choice.active ? u"1" : u"0");
    for (std::size_t i = 0; i < m_choice.keys.size(); ++i)
        ini.setValue(kSection, QString::fromLatin1(kCommands[i].key), m_choice.keys[i].toString(QKeySequence::PortableText));
}

bool GlobalShortcuts::supported() const
{
    return m_platform.globalKeys && m_platform.globalKeys->supported();
}

void GlobalShortcuts::edit(QWidget *parent)
{
    // A key held now would never reach the dialog's fields: the keys are let
    // go while it is open, and Abbrechen takes the old ones back.
    if (m_bound) {
        m_bound = false;
        m_platform.globalKeys->bind({});
    }
    ShortcutsDialog dialog(m_choice, supported(), parent);
    dialog.setKeyCheck([this](const QKeySequence &keys) {
        if (m_platform.globalKeys->usable(keys))
            return true;
        m_platform.messageBoxes->show({QStringLiteral("Hinweis"), unusableText(keys), MsgButtons::Ok, MsgIcon::None});
        return false;
    });
    if (dialog.exec() == QDialog::Accepted) {
        // The player has just chosen: every problem of the new keys is news.
        m_told.clear();
        apply(dialog.choice());
    } else {
        apply(m_choice);
    }
}

void GlobalShortcuts::apply(const ShortcutChoice &choice)
{
    m_choice = choice;
    // Nothing is grabbed until the player asks for it.
    QList<GlobalKey> keys;
    if (choice.active && supported()) {
        for (std::size_t i = 0; i < choice.keys.size(); ++i) {
            if (!choice.keys[i].isEmpty())
                keys.append({QString::fromLatin1(kCommands[i].id), QString::fromUtf8(kCommands[i].description),
                             choice.keys[i]});
        }
    }
    if (keys.isEmpty() && !m_bound)
        return;
    m_bound = !keys.isEmpty();
    m_platform.globalKeys->bind(keys);
}

void GlobalShortcuts::pressed(const QString &id)
{
    const auto info = std::find_if(std::begin(kCommands), std::end(kCommands),
                                   [&](const CommandInfo &c) { return id == QLatin1String(c.id); });
    if (info == std::end(kCommands))
        return;
    // A command or a question of the program's own is in the way: the key
    // must not run something beneath it.
    if (m_list.commandRunning() || QApplication::activeModalWidget()) {
        m_platform.feedback->beep();
        return;
    }
    run(info->command);
}

void GlobalShortcuts::run(Command command)
{
    if (command == Command::MergeReport) {
        // No box from a key: it would cover the game.
        m_list.command([this] {
            if (!m_list.mergeReport(m_platform.clipboard->text(), ReportList::NoReport::Silent))
                m_platform.feedback->beep();
        });
        return;
    }
    if (QAction *item = m_item(command))
        item->trigger();
}

QString GlobalShortcuts::unusableText(const QKeySequence &keys)
{
    return QStringLiteral("Das Tastenkürzel %1 kann mit dieser Tastatur nicht verwendet werden.")
        .arg(keys.toString(QKeySequence::NativeText));
}

void GlobalShortcuts::problem(const KeyProblem &problem)
{
    using Kind = KeyProblem::Kind;
    QString text;
    if (problem.keys.isEmpty()) {
        // No key works: the check box says so from now on.
        m_choice.active = false;
        m_bound = false;
        text = problem.kind == Kind::Cancelled
                   ? QStringLiteral("Die globalen Tastenkürzel wurden nicht bestätigt und sind ausgeschaltet.")
                   : QStringLiteral("Die Arbeitsumgebung hat die globalen Tastenkürzel nicht eingerichtet. Sie sind "
                                    "ausgeschaltet.");
        if (!problem.detail.isEmpty())
            text += QStringLiteral("\n\n") + problem.detail;
        // It may come at any time from the desktop: no window waits on it.
        m_platform.messageBoxes->showModeless({QStringLiteral("Hinweis"), text, MsgButtons::Ok, MsgIcon::None}, {});
        return;
    }
    const QString told = QString::number(int(problem.kind)) + problem.keys.toString(QKeySequence::PortableText);
    if (m_told.contains(told))
        return;
    m_told.insert(told);
    const QString keys = problem.keys.toString(QKeySequence::NativeText);
    switch (problem.kind) {
    case Kind::Taken:
        text = QStringLiteral("Das Tastenkürzel %1 wird bereits von einem anderen Programm verwendet.").arg(keys);
        break;
    case Kind::Unusable:
        text = unusableText(problem.keys);
        break;
    case Kind::Cancelled:
    case Kind::Failed:
        text = QStringLiteral("Das Tastenkürzel %1 kann nicht verwendet werden.").arg(keys);
        if (!problem.detail.isEmpty())
            text += QStringLiteral("\n\n") + problem.detail;
        break;
    }
    m_platform.messageBoxes->show({QStringLiteral("Hinweis"), text, MsgButtons::Ok, MsgIcon::None});
}

} // namespace veltrix
